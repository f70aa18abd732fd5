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
    unshare --pid --fork --mount --mount-proc --kill-child \
        bash "$WAYLAND_LIB" --as-root "$colour" "$@"
}

# Inside the new namespaces, still root: a private /tmp, the session's files, then nobody.
wayland_as_root() {
    local colour=$1
    shift
    mount -t tmpfs -o mode=1777 tmpfs /tmp
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
    setpriv --reuid="$WAYLAND_SESSION_USER" --regid="$group" --clear-groups \
        env -i PATH="$dir/bin:/usr/local/bin:/usr/bin:/bin" HOME="$dir/home" \
        XDG_RUNTIME_DIR="$dir/runtime" LANG=C.UTF-8 \
        dbus-run-session -- bash "$WAYLAND_LIB" --in-session "$@" 3>&2 4>&1 \
        >"$dir/logs/bus" 2>&1
}

wayland_logs() {
    local log
    for log in /tmp/session/logs/*; do
        echo "--- $(basename "$log"):" >&3
        tail -n 30 "$log" >&3
    done
}

wayland_wait() {
    local what=$1
    shift
    local deadline=$((SECONDS + 20))
    until "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "FAIL: timed out waiting for $what" >&3
            wayland_logs
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
    [ "$status" -eq 0 ] || wayland_logs
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
