# A real Wayland desktop for the end-to-end tests: headless sway, pipewire and the desktop portal
# with its wlroots backend (Screenshot, PickColor) and its GTK backend (the access dialog the
# portal needs before it offers screenshots).
#
#   source wayland_lib.sh
#   wayland_session '#336699' COMMAND...   # COMMAND's output and exit status
#
# sway refuses to run as root, so the session runs as nobody, with its own runtime folder and
# session bus, in private PID and mount namespaces: a private /tmp (the wlroots backend writes
# every screenshot to one fixed path there) and nothing left running afterwards. Needs root to
# set that up; without it the test reports itself skipped (exit 77).
#
# nobody may not be able to read the checkout or the build (a clone in a home folder or in a
# mktemp -d folder is closed to other users), so what the session runs is copied into its private
# /tmp first, readable by nobody, and the session sees these variables pointing at the copies:
#   WAYLAND_LIB                 this library
#   TINCTORA_BINARY             the program, in a folder of its own with...
#   TINCTORA_NETWORK_MODULE     ...the network module beside it, where the program looks for it
#   PORTAL_PROBE                the portal client's probe
#   WAYLAND_SESSION_FILES       fixtures: each file or folder named (colon-separated) is copied
#                               into one folder, which this variable then names
# Each is copied only when it is set outside.
set -euo pipefail

WAYLAND_LIB=$(realpath "${BASH_SOURCE[0]}")
WAYLAND_SESSION_USER=${WAYLAND_SESSION_USER:-nobody}
# The session's screen, in pixels; the stand-in slurp below always answers this point.
WAYLAND_SCREEN=800x600
WAYLAND_PICK_POINT="100,100"

wayland_session() {
    local colour=$1
    shift
    # The private /tmp is put together here first, then moved over /tmp; the empty folder stays
    # behind in the real /tmp and is removed afterwards.
    local staging status=0
    staging=$(mktemp -d /tmp/tinctora-wayland-session.XXXXXX)
    # From / so that nothing in the session depends on the folder the test was started in.
    (cd / && unshare --pid --fork --mount --mount-proc --kill-child \
        bash "$WAYLAND_LIB" --as-root "$staging" "$colour" "$@") || status=$?
    rmdir "$staging" 2>/dev/null || true
    return "$status"
}

# Copies what the session runs into the private /tmp being built at $1, and prints the session's
# variables for the copies, one NAME=VALUE a line.
wayland_stage_files() {
    local stage=$1/session/stage inside=/tmp/session/stage
    mkdir -p "$stage/program"
    cp "$WAYLAND_LIB" "$stage/wayland_lib.sh"
    echo "WAYLAND_LIB=$inside/wayland_lib.sh"
    if [ -n "${TINCTORA_BINARY:-}" ]; then
        cp "$TINCTORA_BINARY" "$stage/program/"
        echo "TINCTORA_BINARY=$inside/program/$(basename "$TINCTORA_BINARY")"
    fi
    if [ -n "${TINCTORA_NETWORK_MODULE:-}" ]; then
        cp "$TINCTORA_NETWORK_MODULE" "$stage/program/"
        echo "TINCTORA_NETWORK_MODULE=$inside/program/$(basename "$TINCTORA_NETWORK_MODULE")"
    fi
    if [ -n "${PORTAL_PROBE:-}" ]; then
        cp "$PORTAL_PROBE" "$stage/"
        echo "PORTAL_PROBE=$inside/$(basename "$PORTAL_PROBE")"
    fi
    if [ -n "${WAYLAND_SESSION_FILES:-}" ]; then
        local files file
        IFS=: read -r -a files <<<"$WAYLAND_SESSION_FILES"
        mkdir -p "$stage/files"
        for file in "${files[@]}"; do
            if [ -n "$file" ]; then cp -R "$file" "$stage/files/"; fi
        done
        echo "WAYLAND_SESSION_FILES=$inside/files"
    fi
}

# Inside the new namespaces, still root: a private /tmp, the session's files, then nobody. When the
# session fails, its exit status and the end of every log go to the test's error output: the
# logs live in the private /tmp and are gone afterwards.
wayland_as_root() {
    local staging=$1 colour=$2
    shift 2
    mount -t tmpfs -o mode=1777 tmpfs "$staging"
    # Copied before the new /tmp hides the old one, where the checkout may lie.
    local staged
    mapfile -t staged < <(wayland_stage_files "$staging")
    mount --move "$staging" /tmp
    local dir=/tmp/session
    mkdir -p "$dir/runtime" "$dir/home" "$dir/bin" "$dir/logs"
    chmod 0700 "$dir/runtime"
    cat >"$dir/sway.conf" <<CONF
output * bg $colour solid_color
output HEADLESS-1 resolution $WAYLAND_SCREEN position 0 0
seat * hide_cursor 100
xwayland disable
CONF
    # The wlroots backend's PickColor runs `grim -g "$(slurp -p)"`: answer with a fixed point
    # instead of waiting for a click.
    printf '#!/bin/sh\necho "%s 1x1"\n' "$WAYLAND_PICK_POINT" >"$dir/bin/slurp"
    chmod 0755 "$dir/bin/slurp"
    chown -R "$WAYLAND_SESSION_USER" "$dir"
    local group
    group=$(id -g "$WAYLAND_SESSION_USER")
    local status=0
    setpriv --reuid="$WAYLAND_SESSION_USER" --regid="$group" --clear-groups \
        env -i PATH="$dir/bin:/usr/local/bin:/usr/bin:/bin" HOME="$dir/home" \
        XDG_RUNTIME_DIR="$dir/runtime" LANG=C.UTF-8 "${staged[@]}" \
        dbus-run-session -- bash "$dir/stage/wayland_lib.sh" --in-session "$@" 3>&2 4>&1 \
        >"$dir/logs/bus" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "the Wayland session ended with exit status $status" >&2
        wayland_logs >&2
    fi
    return "$status"
}

wayland_logs() {
    local log
    for log in /tmp/session/logs/*; do
        [ -e "$log" ] || continue
        echo "--- $(basename "$log") (last lines):"
        tail -n 30 "$log"
    done
}

wayland_wait() {
    local what=$1
    shift
    local deadline=$((SECONDS + 20))
    until "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "FAIL: timed out waiting for $what" >&3
            return 1
        fi
        sleep 0.1
    done
}

portal_running() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.portal.Desktop | grep -q true
}

# Inside the session bus, as the ordinary user: the compositor, pipewire, the portal, then the
# command. The test's own output and errors are file descriptors 4 and 3 here.
wayland_in_session() {
    local logs=/tmp/session/logs
    export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
    export XDG_CURRENT_DESKTOP=sway:gnome XDG_SESSION_TYPE=wayland
    sway -c /tmp/session/sway.conf >"$logs/sway" 2>&1 &
    wayland_wait "sway's socket" test -S "$XDG_RUNTIME_DIR/wayland-1"
    export WAYLAND_DISPLAY=wayland-1
    pipewire >"$logs/pipewire" 2>&1 &
    wayland_wait "pipewire's socket" test -S "$XDG_RUNTIME_DIR/pipewire-0"
    dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
    /usr/libexec/xdg-desktop-portal-wlr >"$logs/portal-wlr" 2>&1 &
    /usr/libexec/xdg-desktop-portal >"$logs/portal" 2>&1 &
    wayland_wait "the desktop portal on the session bus" portal_running
    local status=0
    # Only the command speaks on the test's output: services the bus starts write to its log.
    "$@" >&4 2>&3 || status=$?
    return "$status"
}

case "${1:-}" in
--as-root)
    shift
    wayland_as_root "$@"
    exit
    ;;
--in-session)
    shift
    wayland_in_session "$@"
    exit
    ;;
*)
    # Sourced by a test.
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: the Wayland session needs root to start as $WAYLAND_SESSION_USER in namespaces"
        exit 77
    fi
    ;;
esac
