#!/usr/bin/env bash
# A screen reader user hears the current colour and the saved ones by name, through AT-SPI, and
# works the swatches with the keyboard alone: recall, the popup menu, delete. The close writes
# the palette.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#b22222'
install_program
start_accessibility_bus
start_program
xdotool mousemove 1250 1000

note "the live colour is read with its hex code and name; every control has a name"
expect_read "image|Current colour|#B22222, firebrick"
expect_read "push button|Swatch 1, empty|"
for caption in Long Hex Red Green Blue RGB; do
    expect_read "text|$caption|"
done

note "F4 freezes the colour and stores it in swatch 1, and the status line says so"
hold_key F4 "swatch 1 to fill" reads "push button|Swatch 1, #B22222, firebrick|"
expect_read "label|CAPTURED|"

note "F3 resumes; a colour without a name of its own is read as near one; F2 stores it"
xdotool key F3
set_screen_colour '#0f66fe'
expect_read "image|Current colour|#0F66FE, near royalblue"
xdotool key F2
expect_read "push button|Swatch 2, #0F66FE, near royalblue|"

note "on swatch 1, focused through the screen reader, Space recalls it"
focus_tinctora
start_listening
screen_reader focus "Swatch 1, #B22222, firebrick" || fail "swatch 1 took no focus"
expect_heard "focus|push button|Swatch 1, #B22222, firebrick"
xdotool key space
expect_read "image|Current colour|#B22222, firebrick"

note "Right moves to swatch 2; the Menu key opens its popup at Show, which recalls it"
xdotool key Right
expect_heard "focus|push button|Swatch 2, #0F66FE, near royalblue"
xdotool key Menu
expect_heard "focus|menu item|Show"
xdotool key Return
expect_read "image|Current colour|#0F66FE, near royalblue"

note "Delete empties swatch 2; Shift+F10 opens swatch 1's popup, Down reaches Delete, Escape leaves"
expect_read "focus|Swatch 2, #0F66FE, near royalblue"
xdotool key Delete
expect_read "push button|Swatch 2, empty|"
forget_heard
xdotool key Left
expect_heard "focus|push button|Swatch 1, #B22222, firebrick"
forget_heard
xdotool key shift+F10
expect_heard "focus|menu item|Show"
xdotool key Down
expect_heard "focus|menu item|Delete"
forget_heard
xdotool key Escape
expect_heard "focus|push button|Swatch 1, #B22222, firebrick"
expect_read "push button|Swatch 1, #B22222, firebrick|"

note "closing writes swatch 1 alone"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
# #B22222 is 0x2222B2 = 2237106, zero-filled from live capture.
mapfile -t expected < <(twelve_slots 02237106)
expect_palette_file "${expected[@]}"
