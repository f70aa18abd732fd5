#!/usr/bin/env bash
# On a real Wayland desktop (headless sway with the desktop portal), Tinctora's portal client gets
# the screen's colour from the portal's colour picker and from a screenshot, and leaves no
# screenshot file behind. The wlroots desktop offers no global shortcuts, which the client reports
# as unavailable rather than as a failure.
# shellcheck source=tests/e2e/wayland_lib.sh
source "${WAYLAND_LIB:?}"
: "${PORTAL_PROBE:?PORTAL_PROBE must name the built portal_probe}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check_colour() {
    local colour=$1
    local expected="picked ${colour#\#}
grabbed 800x600 ${colour#\#}
grabbed 800x600 ${colour#\#}
no screenshot left
unavailable"
    local output
    # The screenshot is read at a corner and in the middle, with Qt on Wayland itself, by the
    # probe's copy in the session.
    # shellcheck disable=SC2016
    output=$(wayland_session "$colour" env QT_QPA_PLATFORM=wayland bash -c '
        "$PORTAL_PROBE" pick && "$PORTAL_PROBE" screenshot 0 0 &&
            "$PORTAL_PROBE" screenshot 799 599 || exit
        found=$(find /tmp -xdev -name "*.png" ! -path "/tmp/session/*" | head -n 1)
        [ -z "$found" ] && echo "no screenshot left
unavailable" || echo "left behind: $found"
    ') || fail "the session failed (its exit status and logs are above); it printed: ${output:-nothing}"
    [ "$output" = "$expected" ] || fail "expected:
$expected
got:
$output"
    echo "-- $colour: picked and grabbed"
}

check_colour '#336699'
check_colour '#FE0180'

# A clone that the session's user cannot read (mktemp -d makes it 0700), under /tmp, in a folder
# with a space, started from inside it: the session runs copies of the library and the programs.
clone=$(mktemp -d "/tmp/tinctora clone.XXXXXX")
trap 'rm -rf "$clone"' EXIT
mkdir -p "$clone/tests/e2e" "$clone/build"
cp "$WAYLAND_LIB" "$clone/tests/e2e/"
cp "$PORTAL_PROBE" "$clone/build/"
chmod -R go-rwx "$clone"
(
    cd "$clone"
    export WAYLAND_LIB="$clone/tests/e2e/wayland_lib.sh" PORTAL_PROBE="$clone/build/portal_probe"
    check_colour '#5A7B9C'
)
