#!/usr/bin/env bash
# A user drags the current colour from the big swatch onto the saved swatches with the real mouse:
# it replaces a saved colour and fills an empty swatch; the right button's menu deletes one; the
# close writes the row to the palette.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#abcdef'
install_program
mkdir -p "$PROGRAM_DIR/Pallets"
printf '%s\r\n' 00000255 0 0 0 0 0 0 0 0 0 0 0 >"$PROGRAM_DIR/Pallets/default.ini"
start_program
expect_saved_colour 1 '#ff0000'

xdotool mousemove 1250 1000
expect_current_colour '#abcdef'
note "F4 freezes #abcdef (and stores it in the first empty swatch, 2)"
hold_key F4 "swatch 2 to fill" saved_colour_is 2 '#abcdef'

# drag_to_swatch K: drags the big swatch onto swatch K.
drag_to_swatch() {
    local k=$1
    window_geometry
    drag_current_colour_to "$((WIN_X + 40 + 40 * ((k - 1) % 6)))" \
        "$((CLIENT_TOP + 320 + 40 * ((k - 1) / 6)))"
}

note "dragging onto swatch 1 replaces its red"
drag_to_swatch 1
expect_saved_colour 1 '#abcdef'
note "dragging onto the empty swatch 7 fills it"
drag_to_swatch 7
expect_saved_colour 7 '#abcdef'

menu_is_open() {
    xdotool search --onlyvisible --class tinctora | grep -v "^$TINCTORA_WINDOW\$" | grep -q .
}

note "the right button on swatch 1 opens Show / Delete at the pointer; Delete empties it"
empty=$(saved_colour 3)
window_geometry
xdotool mousemove "$((WIN_X + 40))" "$((CLIENT_TOP + 320))" click 3
wait_for 10 "the popup menu to open" menu_is_open
menu=$(xdotool search --onlyvisible --class tinctora | grep -v "^$TINCTORA_WINDOW\$" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$menu")"
if ! { [ "$X" -ge "$((WIN_X + 40))" ] && [ "$X" -le "$((WIN_X + 44))" ] &&
    [ "$Y" -ge "$((CLIENT_TOP + 320))" ] && [ "$Y" -le "$((CLIENT_TOP + 324))" ]; }; then
    fail "the popup menu opened at $X,$Y, not at the pointer"
fi
note "the popup menu opened at $X,$Y"
xdotool key Down Down Return
expect_saved_colour 1 "$empty"
expect_saved_colour 2 '#abcdef'

wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_palette_file 0 15715755 0 0 0 0 15715755 0 0 0 0 0
