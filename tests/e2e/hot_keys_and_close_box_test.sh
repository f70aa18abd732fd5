#!/usr/bin/env bash
# A user captures colours with F4, F2 and F3, held or tapped, while another program has the
# focus, then closes Tinctora with the close box: the colours are in Pallets/default.ini.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#123456'
install_program
start_program

note "the window is kept above others"
wait_for 10 "_NET_WM_STATE_ABOVE on the window" \
    sh -c "xprop -id $TINCTORA_WINDOW _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE"

start_other_window
xdotool mousemove 1250 1000 # over the bare screen, away from both windows
note "live capture follows the pointer"
expect_current_colour '#123456'

note "F4 freezes the colour and stores it in swatch 1"
hold_key F4 "swatch 1 to fill" saved_colour_is 1 '#123456'

note "F2, tapped, stores the frozen colour once, in swatch 2"
xdotool key F2
expect_saved_colour 2 '#123456'

note "while frozen, the current colour stays"
set_screen_colour '#abcdef'
sleep 0.5
current_colour_is '#123456' || fail "the frozen colour changed"

note "F3, tapped, resumes live capture"
xdotool key F3
expect_current_colour '#abcdef'

note "F4, tapped, stores the new colour in swatch 3"
xdotool key F4
expect_saved_colour 3 '#abcdef'

other_window_has_focus || fail "the other program lost the keyboard focus"

note "closing with the close box writes the palette"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
# #123456 is 0x563412 = 5649426; #abcdef is 0xefcdab = 15715755. F2 counted once: swatch 4 empty.
mapfile -t expected < <(twelve_slots 05649426 05649426 15715755)
expect_palette_file "${expected[@]}"
