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
# The checkout, the folders of $TINCTORA_BINARY and $PORTAL_PROBE and those named in
# $WAYLAND_SESSION_SHARES (colon-separated) stay where they are inside the session, also when they
# lie under /tmp: they are mounted into the private /tmp at their own paths.
# shellcheck shell=bash
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

# The folders the session runs programs from, one per line, each once: the checkout this library
# belongs to and the folders of the programs under test.
wayland_shared_folders() {
    local paths=("$(dirname "$WAYLAND_LIB")/../..")
    [ -n "${TINCTORA_BINARY:-}" ] && paths+=("$(dirname "$TINCTORA_BINARY")")
    [ -n "${PORTAL_PROBE:-}" ] && paths+=("$(dirname "$PORTAL_PROBE")")
    local extra
    IFS=: read -r -a extra <<<"${WAYLAND_SESSION_SHARES:-}"
    paths+=("${extra[@]}")
    local p
    for p in "${paths[@]}"; do
        [ -n "$p" ] && [ -d "$p" ] && realpath "$p"
    done | sort -u
}

# Mounts each shared folder that lies under /tmp into the new /tmp being built at $1.
wayland_share_folders() {
    local staging=$1 folder bound=()
    while IFS= read -r folder; do
        case "$folder" in /tmp/*) ;; *) continue ;; esac
        local b covered=false
        for b in "${bound[@]}"; do
            case "$folder/" in "$b"/*) covered=true ;; esac
        done
        "$covered" && continue
        mkdir -p "$staging${folder#/tmp}"
        mount --rbind "$folder" "$staging${folder#/tmp}"
        bound+=("$folder")
    done < <(wayland_shared_folders)
}

# Inside the new namespaces, still root: a private /tmp, the session's files, then nobody. When the
# session fails, its exit status and the end of every log go to the test's error output: the
# logs live in the private /tmp and are gone afterwards.
wayland_as_root() {
    local staging=$1 colour=$2
    shift 2
    mount -t tmpfs -o mode=1777 tmpfs "$staging"
    wayland_share_folders "$staging"
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
        XDG_RUNTIME_DIR="$dir/runtime" LANG=C.UTF-8 \
        dbus-run-session -- bash "$WAYLAND_LIB" --in-session "$@" 3>&2 4>&1 \
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
    # A checkout inside a folder closed to others (such as /root) cannot be run from as nobody.
    if ! setpriv --reuid="$WAYLAND_SESSION_USER" --regid="$(id -g "$WAYLAND_SESSION_USER")" \
        --clear-groups test -r "$WAYLAND_LIB"; then
        echo "SKIP: $WAYLAND_SESSION_USER cannot read $WAYLAND_LIB; clone where other users can read"
        exit 77
    fi
    ;;
esac
