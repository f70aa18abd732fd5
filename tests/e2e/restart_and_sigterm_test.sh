#!/usr/bin/env bash
# Saved colours come back at the next start, and a SIGTERM closes Tinctora the way the close box
# does, writing the palette.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#123456'
install_program
mkdir -p "$PROGRAM_DIR/Pallets"
# Red, green and blue, eight empty slots, and #123456 in the last slot.
printf '%s\r\n' 00000255 00065280 16711680 0 0 0 0 0 0 0 0 05649426 \
    >"$PROGRAM_DIR/Pallets/default.ini"
start_program

note "the swatches show the saved colours"
expect_saved_colour 1 '#ff0000'
expect_saved_colour 2 '#00ff00'
expect_saved_colour 3 '#0000ff'
expect_saved_colour 12 '#123456'
empty=$(saved_colour 4)
for k in 5 6 7 8 9 10 11; do
    saved_colour_is "$k" "$empty" || fail "empty swatch $k differs from swatch 4"
done
case $empty in '#ff0000' | '#00ff00' | '#0000ff' | '#123456') fail "swatch 4 shows a colour" ;; esac

start_other_window
xdotool mousemove 1250 1000
expect_current_colour '#123456'
note "F2 while live stores the colour in the first empty swatch, 4"
xdotool key F2
expect_saved_colour 4 '#123456'

note "SIGTERM closes the program and writes the palette"
kill -TERM "$TINCTORA_PID"
wait_for_program_end
mapfile -t expected < <(twelve_slots 00000255 00065280 16711680 05649426 0 0 0 0 0 0 0 05649426)
expect_palette_file "${expected[@]}"

note "the next start shows the same twelve swatches"
start_program
expect_saved_colour 4 '#123456'
expect_saved_colour 12 '#123456'
saved_colour_is 5 "$empty" || fail "swatch 5 is no longer empty"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_palette_file "${expected[@]}"
