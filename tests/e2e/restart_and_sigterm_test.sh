#!/usr/bin/env bash
# Saved colours come back at the next start, and a SIGTERM closes Tinctora the way the close box
# does, writing the palette. One copy runs per palette folder: a second start brings the first
# window back instead, copies with folders of their own run side by side, and a copy that was
# killed does not keep later ones from starting.
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

note "a second start on the same palettes brings the minimised window back and ends"
xdotool windowminimize "$TINCTORA_WINDOW"
wait_for 10 "the window to be minimised" sh -c "! xwininfo -id $TINCTORA_WINDOW | grep -q IsViewable"
status=0
(cd "$E2E_TMP" && timeout 20 "$PROGRAM_DIR/tinctora" >"$E2E_TMP/second.out" 2>"$E2E_TMP/second.err") ||
    status=$?
[ "$status" -eq 0 ] || fail "the second start ended with status $status: $(cat "$E2E_TMP/second.err")"
grep -qxF "tinctora: Tinctora is already running with the palettes in $PROGRAM_DIR/Pallets; its window is brought to the front." \
    "$E2E_TMP/second.err" || fail "the second start said: $(cat "$E2E_TMP/second.err")"
wait_for 10 "the first window to come back" window_is_viewable "$TINCTORA_WINDOW"
[ "$(xdotool search --name '^Tinctora 1\.1$' | wc -l)" -eq 1 ] || fail "a second window was opened"

note "a copy with a palette folder of its own runs beside it"
first_pid=$TINCTORA_PID
mkdir -p "$E2E_TMP/unpacked"
cp "$PROGRAM_DIR/tinctora" "$PROGRAM_DIR/tinctora-network.so" "$E2E_TMP/unpacked/"
(cd "$E2E_TMP" && exec "$E2E_TMP/unpacked/tinctora" >>"$E2E_TMP/tinctora.log" 2>&1) &
other_pid=$!
E2E_PIDS+=("$other_pid")
wait_for 30 "a second window" sh -c "[ \$(xdotool search --name '^Tinctora 1\.1\$' | wc -l) -eq 2 ]"
kill -TERM "$other_pid"
wait_for 20 "the other copy to end" process_has_ended "$other_pid"
printf '%s\r\n' -1207 | cmp -s - "$E2E_TMP/unpacked/Pallets/default.ini" ||
    fail "the other copy did not keep its own palette"

note "after a kill -9 the next start takes the folder over"
kill -KILL "$first_pid"
wait_for 20 "the killed copy to end" process_has_ended "$first_pid"
ls -A "$PROGRAM_DIR/Pallets" | grep -q '^\.tinctora\.lock$' || fail "the killed copy left no lock to take over"
start_program
[ "$(xdotool getwindowpid "$TINCTORA_WINDOW")" = "$TINCTORA_PID" ] || fail "the window is not the new copy's"
expect_saved_colour 4 '#123456'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_palette_file "${expected[@]}"
[ "$(ls -A "$PROGRAM_DIR/Pallets")" = default.ini ] || fail "the palette folder holds $(ls -A "$PROGRAM_DIR/Pallets")"
