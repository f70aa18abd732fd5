#!/usr/bin/env bash
# A user freezes the screen with F6 and picks with Enter on two monitors, the left one not the
# primary, at 96 and at 144 dpi: the root is painted so that each pixel's colour tells where it
# is, and every stored colour must be the one at the pointer. A picture repainted while frozen
# still gives the old colour, arrow keys move the pick by one pixel, Escape stores nothing. On a
# checkerboard the wheel and + / - pick the average of a square, and the next F6 one pixel again.
# With Show sRGB Values on, F2 stores each monitor's value through its own display profile on the
# root window, the choice is kept over a restart and a profile removed meanwhile applies at once.
# The Contrast window's Pick buttons use the same frozen screen: their picks go into its fields
# only, and its report comes out of the clipboard and the primary selection exactly.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"
: "${TINCTORA_COORDINATE_ROOT:?TINCTORA_COORDINATE_ROOT must name the built x11_coordinate_root}"

start_xvfb 2048x768x24
xrandr --setmonitor left 1024/270x768/203+0+0 none
xrandr --setmonitor '*right' 1024/270x768/203+1024+0 none
start_window_manager
"$TINCTORA_COORDINATE_ROOT"
install_program

# encoded X Y: the colour the painted root has at X,Y, as the swatch shows it ("#rrggbb") and as
# the palette file stores it (padded decimal of 0x00BBGGRR).
swatch_colour_at() {
    printf '#%02x%02x%02x' $(($1 & 255)) $(($2 & 255)) $(((($1 >> 8) & 15) | (($2 >> 8) << 4)))
}
stored_text_at() {
    printf '%08d' $((((($1 >> 8) & 15) | (($2 >> 8) << 4)) << 16 | ($2 & 255) << 8 | ($1 & 255)))
}

overlay_shown() {
    xdotool search --onlyvisible --name '^Freeze Screen and Pick$' >/dev/null
}
overlay_gone() { ! overlay_shown; }

# freeze_at X Y: the pointer at X,Y, F6, and the frozen screen shown.
freeze_at() {
    xdotool mousemove "$1" "$2"
    xdotool key F6
    wait_for 10 "the frozen screen" overlay_shown
}

# close_with KEY: a key to the frozen screen, which closes on it.
close_with() {
    xdotool key "$1"
    wait_for 10 "the frozen screen to close" overlay_gone
}

# pick_at SLOT X Y: freezes at X,Y, picks with Enter and expects the colour in swatch SLOT.
pick_at() {
    freeze_at "$2" "$3"
    close_with Return
    expect_saved_colour "$1" "$(swatch_colour_at "$2" "$3")"
    note "swatch $1 holds the colour of $2,$3"
}

# The points picked are clear of the program's window, which opens in the middle of the right
# monitor, and of the other program's small window.
start_program
start_other_window

note "one pick on each monitor"
pick_at 1 777 601
pick_at 2 1537 701

note "Escape stores nothing"
freeze_at 1101 551
close_with Escape
sleep 0.3
[ "$(saved_colour 3)" != "$(swatch_colour_at 1101 551)" ] || fail "Escape stored a colour"

note "arrow keys move the pick by one screen pixel, Shift+arrow by ten"
freeze_at 901 503
xdotool key Right Right Down
close_with Return
expect_saved_colour 3 "$(swatch_colour_at 903 504)"
freeze_at 1301 403
xdotool key shift+Left Up
close_with Return
expect_saved_colour 4 "$(swatch_colour_at 1291 402)"

note "a screen repainted while frozen still gives the frozen colour"
freeze_at 1999 767
xsetroot -solid '#000000'
sleep 0.3
close_with Return
expect_saved_colour 5 "$(swatch_colour_at 1999 767)"

wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t expected < <(twelve_slots "$(stored_text_at 777 601)" "$(stored_text_at 1537 701)" \
    "$(stored_text_at 903 504)" "$(stored_text_at 1291 402)" "$(stored_text_at 1999 767)")
expect_palette_file "${expected[@]}"

note "at 144 dpi the picks are still the screen pixels at the pointer"
"$TINCTORA_COORDINATE_ROOT"
echo 'Xft.dpi: 144' | xrdb -merge
start_program
window_geometry
note "the window is at $WIN_X,$WIN_Y"
# The swatches are larger at this scale: the palette file tells what was stored.
freeze_at 513 655
close_with Return
freeze_at 1987 131
close_with Return
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t expected < <(twelve_slots "$(stored_text_at 777 601)" "$(stored_text_at 1537 701)" \
    "$(stored_text_at 903 504)" "$(stored_text_at 1291 402)" "$(stored_text_at 1999 767)" \
    "$(stored_text_at 513 655)" "$(stored_text_at 1987 131)")
expect_palette_file "${expected[@]}"

note "the mouse wheel and + / - average a square of a checkerboard; each F6 starts at one pixel"
# A 2 x 2 checker tiled over the root: white where x + y is even, black where it is odd.
# (xsetroot reads the bits from the lines after the opening brace.)
printf '%s\n' '#define checker_width 2' '#define checker_height 2' \
    'static unsigned char checker_bits[] = {' '    0x01, 0x02 };' >"$E2E_TMP/checker.xbm"
xsetroot -bitmap "$E2E_TMP/checker.xbm" -fg '#ffffff' -bg '#000000'
start_program
freeze_at 801 500 # black: 3 x 3 holds 4 white pixels, 4 x 255 / 9 = 113.33
xdotool key plus
close_with Return
freeze_at 800 500 # white: 5 x 5 holds 13, 13 x 255 / 25 = 132.6; down and up again on the way
xdotool click 4 click 4 click 4 click 5 key minus plus
close_with Return
freeze_at 800 500 # one pixel again: white
close_with Return
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t expected < <(twelve_slots "$(stored_text_at 777 601)" "$(stored_text_at 1537 701)" \
    "$(stored_text_at 903 504)" "$(stored_text_at 1291 402)" "$(stored_text_at 1999 767)" \
    "$(stored_text_at 513 655)" "$(stored_text_at 1987 131)" 07434609 08750469 16777215)
expect_palette_file "${expected[@]}"

note "the Contrast window picks text and background from the frozen screen and copies its report"
echo 'Xft.dpi: 96' | xrdb -merge # the menu bar where window_geometry expects it
start_program
open_contrast_window
# contrast_pick KEYS COLOUR: the root painted COLOUR, the pointer on it, a Pick button by its
# mnemonic and Enter on the frozen screen; the frozen screen keeps the colour it was shown with.
contrast_pick() {
    xsetroot -solid "$2"
    xdotool mousemove 5 760
    xdotool windowactivate --sync "$CONTRAST_WINDOW" >/dev/null 2>&1 || true
    xdotool key "$1"
    wait_for 10 "the frozen screen" overlay_shown
    xsetroot -solid '#000000'
    close_with Return
}
contrast_pick alt+x '#777777'
contrast_pick alt+k '#ffffff'
# report_is TEXT: the clipboard and the primary selection both hold exactly TEXT.
report_is() {
    [ "$(xclip -o -selection clipboard | od -c)" = "$(printf '%s' "$1" | od -c)" ] &&
        [ "$(xclip -o -selection primary | od -c)" = "$(printf '%s' "$1" | od -c)" ]
}
xdotool windowactivate --sync "$CONTRAST_WINDOW" >/dev/null 2>&1 || true
xdotool key alt+r
expected_report=$(printf '%s\n' 'Text #777777 on background #FFFFFF' 'Contrast 4.47:1' \
    'AA normal text (4.5:1): fails' 'AA large text (3:1): passes' 'AAA normal text (7:1): fails' \
    'AAA large text (4.5:1): fails' 'Non-text (3:1): passes' 'APCA Lc 71.1' \
    'Protanopia: #777777 on #FFFFFF, 4.47:1' 'Deuteranopia: #777777 on #FFFFFF, 4.47:1' \
    'Tritanopia: #777777 on #FFFFFF, 4.47:1' 'Achromatopsia: #777777 on #FFFFFF, 4.47:1' \
    'Nearest text that passes AA: #767676 (4.54:1)' 'Nearest text that passes AAA: #595959 (7.00:1)'
    echo x)
expected_report=${expected_report%x}
poll_until 10 report_is "$expected_report" ||
    fail "the copied report is: $(xclip -o -selection clipboard 2>&1 | od -c | head -n 20)"
note "the report of #777777 on #FFFFFF is on the clipboard and the primary selection"
# Enter takes the nearest text that passes AA; Ctrl+C copies the new report.
xdotool key Return ctrl+c
report_starts_with() { xclip -o -selection clipboard | head -n 1 | grep -qxF "$1"; }
wait_for 10 "the report of the suggestion" report_starts_with 'Text #767676 on background #FFFFFF'
wmctrl -c Contrast
wait_for 10 "the Contrast window to close" dialog_closed Contrast
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_palette_file "${expected[@]}"

note "Show sRGB Values: each monitor's colour through its own display profile"
# Xinerama lists the primary monitor first: _ICC_PROFILE is the right one's, _ICC_PROFILE_1 the
# left one's. On Adobe RGB, #B0360D is the #CC3300 of a colour-managed page; the other profile
# swaps red and green.
colord=/usr/share/color/icc/colord
set_root_profile _ICC_PROFILE "$colord/SwappedRedAndGreen.icc"
set_root_profile _ICC_PROFILE_1 "$colord/AdobeRGB1998.icc"
echo 'Xft.dpi: 96' | xrdb -merge
xsetroot -solid '#b0360d'
rm -f "$PROGRAM_DIR/Pallets/default.ini" "$PROGRAM_DIR/settings.ini"
# add_at SLOT X Y COLOUR: F2 with the pointer at X,Y stores COLOUR in swatch SLOT.
add_at() {
    xdotool mousemove "$2" "$3"
    sleep 0.3
    xdotool key F2
    expect_saved_colour "$1" "$4"
}
start_program
add_at 1 300 600 '#b0360d' # off: as read
pick_settings_item 4
add_at 2 300 600 '#cc3300'
add_at 3 1900 600 '#36b00d'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
[ "$(tr -d '\r' <"$PROGRAM_DIR/settings.ini")" = "ShowSrgbValues=1" ] ||
    fail "settings.ini holds $(od -c "$PROGRAM_DIR/settings.ini")"

note "the choice is kept over a restart; a profile removed while running applies at once"
start_program
add_at 4 1900 600 '#36b00d'
remove_root_profile _ICC_PROFILE
add_at 5 1900 600 '#b0360d'
add_at 6 300 600 '#cc3300'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t expected < <(twelve_slots 00865968 00013260 00897078 00897078 00865968 00013260)
expect_palette_file "${expected[@]}"
