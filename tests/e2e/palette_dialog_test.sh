#!/usr/bin/env bash
# A user saves the swatch row through the real "Save Pallet As..." file dialog under a name
# without extension, and opens that file again in a fresh start through "Open Pallet...". A
# hand-edited palette opens whole and is saved clean; a new palette asks for its file name. What a
# save would not write back (a note after the twelfth value, a default palette whose reading
# stops early) is kept in NAME.ini.bak first, and an older backup is never replaced.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
install_program
mkdir -p "$PROGRAM_DIR/Pallets"
# Red, #123456 with slot 2 left empty, and blue in the last slot.
slots=(00000255 0 05649426 0 0 0 0 0 0 0 0 16711680)
printf '%s\r\n' "${slots[@]}" >"$PROGRAM_DIR/Pallets/default.ini"

# expect_lines FILE LINE...: FILE holds exactly these lines, each ended by CR LF.
expect_lines() {
    local file=$1
    shift
    printf '%s\r\n' "$@" >"$E2E_TMP/expected.ini"
    if ! cmp -s "$E2E_TMP/expected.ini" "$file"; then
        echo "expected:" >&2
        od -c "$E2E_TMP/expected.ini" >&2
        echo "found in $file:" >&2
        od -c "$file" >&2 || true
        fail "$file does not hold the expected lines"
    fi
}

start_program
expect_saved_colour 1 '#ff0000'

note "File > Save Pallet As..., typing a name without extension"
open_file_menu_item 4
answer_file_dialog "Save Pallet" "summer"
wait_for 10 "Pallets/summer.ini" test -f "$PROGRAM_DIR/Pallets/summer.ini"
expect_lines "$PROGRAM_DIR/Pallets/summer.ini" "${slots[@]}"
[ ! -e "$PROGRAM_DIR/Pallets/summer" ] || fail "a file without .ini was written as well"
note "Pallets/summer.ini holds the twelve lines"

wmctrl -c 'Tinctora 1.1'
wait_for_program_end

note "a fresh start on an empty default palette, then File > Open Pallet... summer.ini"
printf '%s\r\n' -1207 >"$PROGRAM_DIR/Pallets/default.ini"
start_program
empty=$(saved_colour 1)
[ "$empty" != '#ff0000' ] || fail "swatch 1 is not empty after the fresh start"
open_file_menu_item 2
answer_file_dialog "Open Pallet" "summer.ini"
expect_saved_colour 1 '#ff0000'
expect_saved_colour 3 '#123456'
expect_saved_colour 12 '#0000ff'
saved_colour_is 2 "$empty" || fail "swatch 2 is no longer empty"

note "closing writes the opened palette, line by line, as the default palette"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_lines "$PROGRAM_DIR/Pallets/default.ini" "${slots[@]}"
cmp -s "$PROGRAM_DIR/Pallets/default.ini" "$PROGRAM_DIR/Pallets/summer.ini" ||
    fail "the opened palette differs from the file it came from"

note "a hand-edited palette with a typo and a note after the twelfth value opens whole"
printf '%s\r\n' 00000255 red 05649426 0 0 0 0 0 0 0 0 16711680 "picked in June, at the beach" \
    >"$PROGRAM_DIR/Pallets/edited.ini"
cp "$PROGRAM_DIR/Pallets/edited.ini" "$E2E_TMP/edited-by-hand.ini"
start_program
open_file_menu_item 2
answer_file_dialog "Open Pallet" "edited.ini"
expect_saved_colour 1 '#ff0000'
expect_saved_colour 3 '#123456'
expect_saved_colour 12 '#0000ff'
note "the note, which a save drops, is kept with the rest in edited.ini.bak"
wait_for 10 "edited.ini.bak" cmp -s "$E2E_TMP/edited-by-hand.ini" "$PROGRAM_DIR/Pallets/edited.ini.bak"
grep -qxF "tinctora: Some of edited.ini could not be read; all of it is kept in edited.ini.bak" \
    "$E2E_TMP/tinctora.log" || fail "standard error does not tell of the backup"

note "File > Save Pallet writes it back without the typo"
printf '%s\r\n' "${slots[@]}" >"$E2E_TMP/clean.ini"
open_file_menu_item 3
wait_for 10 "edited.ini to be saved" cmp -s "$E2E_TMP/clean.ini" "$PROGRAM_DIR/Pallets/edited.ini"

note "File > New Pallet, then File > Save Pallet asks for a name instead of writing edited.ini"
open_file_menu_item 1
expect_saved_colour 1 "$empty"
open_file_menu_item 3
answer_file_dialog "Save Pallet" "fresh"
wait_for 10 "Pallets/fresh" test -f "$PROGRAM_DIR/Pallets/fresh"
expect_lines "$PROGRAM_DIR/Pallets/fresh" -1207
expect_lines "$PROGRAM_DIR/Pallets/edited.ini" "${slots[@]}"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
[ ! -e "$HOME/.config/QtProject.conf" ] ||
    fail "the file dialogs wrote the Qt settings that other programs share"

note "a default palette whose reading stops at a 302-character note is kept before the close"
printf '%s\r\n' 00000255 0 0 "$(printf 'n%.0s' {1..302})" 16711680 >"$E2E_TMP/noted.ini"
for backup in default.ini.bak default.ini.bak2; do
    cp "$E2E_TMP/noted.ini" "$PROGRAM_DIR/Pallets/default.ini"
    start_program
    expect_saved_colour 1 '#ff0000'
    wait_for 10 "$backup" cmp -s "$E2E_TMP/noted.ini" "$PROGRAM_DIR/Pallets/$backup"
    grep -qxF "tinctora: Some of default.ini could not be read; all of it is kept in $backup" \
        "$E2E_TMP/tinctora.log" || fail "standard error does not name $backup"
    wmctrl -c 'Tinctora 1.1'
    wait_for_program_end
    expect_lines "$PROGRAM_DIR/Pallets/default.ini" 00000255 0 0 0 0 0 0 0 0 0 0 0
done
cmp -s "$E2E_TMP/noted.ini" "$PROGRAM_DIR/Pallets/default.ini.bak" || fail "default.ini.bak was replaced"
note "what the program wrote itself gets no backup"
start_program
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
[ ! -e "$PROGRAM_DIR/Pallets/default.ini.bak3" ] || fail "a palette the program wrote was backed up"
