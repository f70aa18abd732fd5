#!/usr/bin/env bash
# A user exports the swatch row as a GIMP palette through the real file dialog, imports it into a
# fresh start with an empty row, and closes: the default palette then holds the colours again.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
install_program
mkdir -p "$PROGRAM_DIR/Pallets"
# Red, #123456 after an empty slot, and blue in the last slot.
printf '%s\r\n' 00000255 0 05649426 0 0 0 0 0 0 0 0 16711680 >"$PROGRAM_DIR/Pallets/default.ini"

start_program
expect_saved_colour 1 '#ff0000'

note "File > Export GIMP Palette..., typing a name without extension"
open_file_menu_item 6
answer_file_dialog "Export GIMP Palette" "shared"
wait_for 10 "Pallets/shared.gpl" test -f "$PROGRAM_DIR/Pallets/shared.gpl"
printf '%s\n' 'GIMP Palette' 'Name: Default' 'Columns: 12' \
    $'255   0   0\t#ff0000' $' 18  52  86\t#123456' $'  0   0 255\t#0000ff' >"$E2E_TMP/expected.gpl"
cmp "$E2E_TMP/expected.gpl" "$PROGRAM_DIR/Pallets/shared.gpl" ||
    fail "shared.gpl does not hold the row as a GIMP palette"

wmctrl -c 'Tinctora 1.1'
wait_for_program_end

note "a fresh start on an empty default palette, then File > Import GIMP Palette... shared.gpl"
printf '%s\r\n' -1207 >"$PROGRAM_DIR/Pallets/default.ini"
start_program
open_file_menu_item 5
answer_file_dialog "Import GIMP Palette" "shared.gpl"
expect_saved_colour 1 '#ff0000'
expect_saved_colour 2 '#123456'
expect_saved_colour 3 '#0000ff'

note "closing writes the imported colours as the default palette"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t imported < <(twelve_slots 00000255 05649426 16711680)
expect_palette_file "${imported[@]}"
