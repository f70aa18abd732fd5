#!/usr/bin/env bash
# Tinctora runs natively on a real Wayland desktop (headless sway with the desktop portal): F6,
# pressed while its window has the focus, freezes the portal's screenshot; the arrow keys move the
# pick from the middle of the screen (where Tinctora's own window is) onto the background, + makes
# it an average, Enter picks, the colour lands in the first empty swatch, and a SIGTERM writes it to
# Pallets/default.ini.
# shellcheck source=tests/e2e/wayland_lib.sh
source "${WAYLAND_LIB:?}"
: "${TINCTORA_BINARY:?TINCTORA_BINARY must name the built tinctora}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs inside the session as its ordinary user, with the program's copy there in a folder of its
# own: $1 the palette line expected.
# shellcheck disable=SC2016
in_session='
set -eu
program=$(dirname "$TINCTORA_BINARY")
rm -rf "$program/Pallets"
mkdir -p "$program/Pallets"
QT_QPA_PLATFORM=wayland "$TINCTORA_BINARY" 2>/tmp/session/logs/tinctora &
pid=$!
SWAYSOCK=$(echo "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)
export SWAYSOCK
deadline=$((SECONDS + 30))
until swaymsg -t get_tree | grep -q "\"name\": \"Tinctora 1.1\""; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "no Tinctora window"; exit 1; }
    sleep 0.1
done
grep -q "not available on this desktop" /tmp/session/logs/tinctora ||
    echo "no word on what this desktop does not allow"
# A virtual keyboard that sends at once loses the press: one wtype waits before its first key,
# so the window has the keyboard map first. From (400,300) to (100,100): 30 and 20 steps of 10.
moves=()
for _ in $(seq 30); do moves+=(-k Left); done
for _ in $(seq 20); do moves+=(-k Up); done
# Then + twice: the pick averages 5 x 5 pixels of the plain background, its colour again.
wtype -s 1500 -k F6 -s 2500 -M shift -d 20 "${moves[@]}" -m shift -s 300 -k plus -k plus -k Return
sleep 2
kill -TERM "$pid"
wait "$pid" || true
printf "%s\r\n" "$1" 0 0 0 0 0 0 0 0 0 0 0 >/tmp/session/expected.ini
if cmp -s /tmp/session/expected.ini "$program/Pallets/default.ini"; then
    echo "stored"
else
    echo "default.ini holds:"
    od -c "$program/Pallets/default.ini"
fi
'

check_pick() {
    local colour=$1 line=$2 output
    output=$(wayland_session "$colour" bash -c "$in_session" sh "$line") ||
        fail "the session failed (its exit status and logs are above); it printed: ${output:-nothing}"
    [ "$output" = "stored" ] || fail "after F6 on $colour: $output"
    echo "-- $colour: picked with F6 and stored as $line"
}

# The palette holds 0x00BBGGRR in decimal, eight digits.
check_pick '#336699' 10053171
check_pick '#FE0180' 08389118
