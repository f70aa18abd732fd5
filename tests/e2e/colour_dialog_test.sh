#!/usr/bin/env bash
# "Load Color" opens the real colour dialog: with "Always on Top" checked the main window leaves
# the top layer while the dialog is open and returns after Cancel; capture stays stopped. With
# it unchecked, the top layer is not touched. The Qt settings that other programs share stay as
# they were. A click into a value box makes its text the primary selection, ready for a
# middle-click paste in another program, and so does Tab into the next box.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

# Another Qt program's custom colours and last folder.
mkdir -p "$HOME/.config"
printf '[FileDialog]\nlastVisited=file:///srv/photos\n\n[Qt]\ncustomColors\\0=4294901760\n' \
    >"$HOME/.config/QtProject.conf"
cp "$HOME/.config/QtProject.conf" "$E2E_TMP/QtProject.conf.before"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#123456'
install_program
start_program

is_above() { xprop -id "$TINCTORA_WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
is_not_above() { ! is_above; }
colour_dialog() { xdotool search --onlyvisible --name '^Select Color$' | head -n 1 | grep .; }
no_colour_dialog() { ! colour_dialog; }

# load_color_then_cancel: clicks "Load Color", runs CHECK while the dialog is open, presses Escape.
load_color_then_cancel() {
    local check=$1 what=$2
    window_geometry
    xdotool mousemove "$((WIN_X + 72))" "$((CLIENT_TOP + 236))" click 1
    wait_for 15 "the colour dialog" colour_dialog
    wait_for 10 "$what while the dialog is open" "$check"
    xdotool windowactivate --sync "$(colour_dialog)" >/dev/null 2>&1 || true
    xdotool key Escape
    wait_for 10 "the colour dialog to close" no_colour_dialog
}

wait_for 10 "_NET_WM_STATE_ABOVE at start" is_above
xdotool mousemove 1250 1000
expect_current_colour '#123456'

note "Load Color with Always on Top checked: out of the top layer while the dialog is open"
load_color_then_cancel is_not_above "the window to leave the top layer"
wait_for 10 "the window to return to the top layer after Cancel" is_above
frozen=$(current_colour)

note "after Cancel capture stays stopped"
set_screen_colour '#abcdef'
xdotool mousemove 1250 1000
sleep 0.5
current_colour_is "$frozen" || fail "capture resumed after Cancel: $(current_colour)"

note "Settings > Always on Top unchecked: Load Color leaves the layer alone"
window_geometry
xdotool mousemove "$((WIN_X + 60))" "$((WIN_Y + (CLIENT_TOP - WIN_Y) / 2))" click 1
sleep 0.3
xdotool key Down Return
wait_for 10 "the window to leave the top layer" is_not_above
load_color_then_cancel is_not_above "the window to stay out of the top layer"
sleep 0.5
is_not_above || fail "the window went back to the top layer with Always on Top unchecked"

note "a click into the hex box makes its text the primary selection"
primary_selection() { xclip -o -selection primary 2>/dev/null; }
primary_selection_is() { [ "$(primary_selection)" = "$1" ]; }
printf 'from another program' | xclip -i -selection primary >/dev/null 2>&1
wait_for 10 "another program to own the primary selection" \
    primary_selection_is 'from another program'
window_geometry
xdotool mousemove "$((WIN_X + 216))" "$((CLIENT_TOP + 81))" click 1
primary_changed() { ! primary_selection_is 'from another program'; }
wait_for 10 "the primary selection to change hands" primary_changed
# The click has stopped capture: the panel keeps the colour whose texts the boxes show.
shown=$(current_colour)
hex=$(tr 'a-f' 'A-F' <<<"${shown#\#}")
poll_until 10 primary_selection_is "$hex" ||
    fail "the primary selection holds \"$(primary_selection)\", not $hex"

note "Tab into the RGB box makes its text the primary selection"
xdotool key Tab
triple=$(printf '%03d, %03d, %03d' "0x${hex:0:2}" "0x${hex:2:2}" "0x${hex:4:2}")
poll_until 10 primary_selection_is "$triple" ||
    fail "the primary selection holds \"$(primary_selection)\", not $triple"

wmctrl -c 'Tinctora 1.1'
wait_for_program_end
cmp -s "$E2E_TMP/QtProject.conf.before" "$HOME/.config/QtProject.conf" ||
    fail "the Qt settings shared with other programs were changed"
