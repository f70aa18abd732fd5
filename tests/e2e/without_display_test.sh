#!/usr/bin/env bash
# Without an X display Tinctora says so instead of crashing.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"
install_program
cd "$E2E_TMP"

note "no display at all: one clear message, a plain failure status, no core dump"
status=0
timeout 20 "$PROGRAM_DIR/tinctora" >out.txt 2>err.txt || status=$?
[ "$status" -eq 1 ] || fail "ended with status $status, expected 1"
grep -q 'X display' err.txt || fail "no message about the X display: $(cat err.txt)"
[ ! -e "$PROGRAM_DIR/Pallets" ] || fail "it wrote palettes without starting"

note "a display name that leads nowhere: the same"
status=0
DISPLAY=:4095 timeout 20 "$PROGRAM_DIR/tinctora" >out.txt 2>err.txt || status=$?
[ "$status" -eq 1 ] || fail "ended with status $status, expected 1"
grep -q '":4095"' err.txt || fail "the message does not name the display: $(cat err.txt)"

note "a window but no X11 (offscreen): it says capture stays stopped and keeps running"
QT_QPA_PLATFORM=offscreen "$PROGRAM_DIR/tinctora" >"$E2E_TMP/tinctora.log" 2>&1 &
TINCTORA_PID=$!
E2E_PIDS+=("$TINCTORA_PID")
wait_for 20 "the message" grep -q 'Capture stays stopped' "$E2E_TMP/tinctora.log"
sleep 1
process_has_ended "$TINCTORA_PID" && fail "it ended by itself"
note "its message box is open; SIGTERM still closes it and writes the (empty) palette"
kill -TERM "$TINCTORA_PID"
wait_for_program_end
expect_palette_file -1207
