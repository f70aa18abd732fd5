#!/usr/bin/env bash
# The real program killed with SIGKILL at random moments while it closes: after a SIGTERM it
# writes Pallets/default.ini, and a kill that lands before, during or after that write must leave
# the old palette or the new one, never a mix or a cut file. (tests/palette/ has the same check
# for 200 kills of a save loop; this one covers the program's own close path.)
set -euo pipefail
: "${TINCTORA_BINARY:?set by CTest}"
RUNS=${RUNS:-40}

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -screen 0 800x600x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")"
xdpyinfo >/dev/null

mkdir -p "$work/program/Pallets"
cp "$TINCTORA_BINARY" "$work/program/tinctora"
palette="$work/program/Pallets/default.ini"

# "N,1,2" loads as the slots N, 1 and 2, and the program writes them back as twelve CR LF lines.
old_palette() { printf '%s,1,2\r\n' "$1"; }
new_palette() { printf '%s\r\n1\r\n2\r\n' "$1"; printf '0\r\n%.0s' $(seq 9); }

# Starts the program and waits until its main window is mapped.
start_program() {
    "$work/program/tinctora" >/dev/null 2>&1 &
    program_pid=$!
    for _ in $(seq 200); do
        xdotool search --onlyvisible --pid "$program_pid" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "the program did not show its window" >&2
    return 1
}

# One undisturbed close first: it must write the new palette, or the kills below prove nothing.
old_palette 7 >"$palette"
start_program
kill -TERM "$program_pid"
wait "$program_pid" || true
if ! cmp -s "$palette" <(new_palette 7); then
    echo "a closing program did not write its default palette:" >&2
    od -c "$palette" | head >&2
    exit 1
fi

kept_old=0 kept_new=0
for run in $(seq "$RUNS"); do
    old_palette "$run" >"$palette"
    start_program
    # The close takes a few milliseconds: wait 0 to about 10 ms (a busy loop; sleep is too coarse).
    delay=$((RANDOM % 2000))
    kill -TERM "$program_pid"
    for ((spin = 0; spin < delay; spin++)); do :; done
    kill -KILL "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    if cmp -s "$palette" <(old_palette "$run"); then
        kept_old=$((kept_old + 1))
    elif cmp -s "$palette" <(new_palette "$run"); then
        kept_new=$((kept_new + 1))
    else
        echo "run $run: the palette is neither the old nor the new one:" >&2
        od -c "$palette" | head -20 >&2
        exit 1
    fi
done
echo "$RUNS kills during close: $kept_old left the old palette, $kept_new the new one;" \
    "temporary files left: $(find "$work/program/Pallets" -name 'default.ini.*' | wc -l)"
