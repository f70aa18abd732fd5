# Shared by the end-to-end tests: a private X server with a window manager, the real program in
# a temporary program folder, and helpers to drive it with xdotool and look at the screen.
# shellcheck shell=bash
set -euo pipefail

: "${TINCTORA_BINARY:?TINCTORA_BINARY must name the built tinctora}"
: "${TINCTORA_PIXEL_PROBE:?TINCTORA_PIXEL_PROBE must name the built x11_pixel_probe}"

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tinctora-e2e.XXXXXX")
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
E2E_PIDS=()
PROGRAM_DIR=$E2E_TMP/program
TINCTORA_PID=
TINCTORA_WINDOW=

# Never the user's display, desktop session or home folder.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER WINEPREFIX
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
export HOME=$E2E_TMP/home
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -p "$HOME" "$PROGRAM_DIR"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

e2e_cleanup() {
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill -TERM "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        wait "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    [ -z "${WINEPREFIX:-}" ] || "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

note() { echo "-- $*"; }

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$E2E_TMP/tinctora.log" ]; then
        echo "--- tinctora's output:" >&2
        cat "$E2E_TMP/tinctora.log" >&2
    fi
    exit 1
}

# poll_until SECONDS COMMAND...: runs COMMAND until it succeeds; false when time runs out.
poll_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, or fails the test.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    poll_until "$seconds" "$@" || fail "timed out after ${seconds}s waiting for $what"
}

# start_xvfb [WxHxD]: a private server on a free display number; exports DISPLAY.
start_xvfb() {
    local screen=${1:-1280x1024x24}
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "$screen" \
        3>"$E2E_TMP/display-number" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    # The number is written, with a newline, once the server accepts connections.
    wait_for 15 "Xvfb to start" grep -q '^[0-9][0-9]*$' "$E2E_TMP/display-number"
    DISPLAY=":$(head -n 1 "$E2E_TMP/display-number")"
    export DISPLAY
    wait_for 10 "the X server on $DISPLAY" xdpyinfo
    note "Xvfb on $DISPLAY ($screen)"
}

# start_window_manager: openbox, which keeps the EWMH state (_NET_WM_STATE, the active window)
# that the tests look at.
start_window_manager() {
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 "openbox to manage the screen" wmctrl -m
}

set_screen_colour() {
    xsetroot -solid "$1"
}

# install_program: the real binary and its network module copied into a fresh program folder, as
# a user would.
install_program() {
    cp "$TINCTORA_BINARY" "$PROGRAM_DIR/tinctora"
    cp "${TINCTORA_NETWORK_MODULE:?TINCTORA_NETWORK_MODULE must name the built network module}" \
        "$PROGRAM_DIR/"
}

window_of_tinctora() {
    xdotool search --name '^Tinctora 1\.1$' | head -n 1 | grep .
}

window_is_viewable() {
    xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

# track_started_program PID: the program just started in the background; waits for its window.
track_started_program() {
    TINCTORA_PID=$1
    E2E_PIDS+=("$TINCTORA_PID")
    wait_for 30 "the window \"Tinctora 1.1\"" window_of_tinctora
    TINCTORA_WINDOW=$(window_of_tinctora)
    wait_for 30 "the window to be shown" window_is_viewable "$TINCTORA_WINDOW"
}

# start_program: starts the copy from another working folder and waits for its window.
start_program() {
    (cd "$E2E_TMP" && exec "$PROGRAM_DIR/tinctora" >>"$E2E_TMP/tinctora.log" 2>&1) &
    track_started_program $!
    note "tinctora runs as process $TINCTORA_PID, window $TINCTORA_WINDOW"
}

# --- Tinctora for Windows under wine ------------------------------------------------------------

# start_wine: a fresh wine prefix of the test's own, holding one sans-serif face: a new prefix
# here has no fonts at all. Keys reach a wine program only while one of its windows has the focus.
start_wine() {
    export WINEPREFIX=$E2E_TMP/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
    "$WINE" wineboot --init >"$E2E_TMP/wineboot.log" 2>&1 || fail "wineboot failed"
    "$WINESERVER" -w
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
        /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    note "wine prefix $WINEPREFIX"
}

# install_windows_program: tinctora.exe alone in a fresh program folder, a portable copy.
install_windows_program() {
    cp "$TINCTORA_BINARY" "$PROGRAM_DIR/tinctora.exe"
}

# start_windows_program: as start_program, the Windows program under wine.
start_windows_program() {
    (cd "$E2E_TMP" && exec "$WINE" "$PROGRAM_DIR/tinctora.exe" >>"$E2E_TMP/tinctora.log" 2>&1) &
    track_started_program $!
    note "tinctora.exe runs under wine as process $TINCTORA_PID, window $TINCTORA_WINDOW"
}

focus_tinctora() {
    xdotool windowactivate --sync "$TINCTORA_WINDOW" >/dev/null 2>&1 || true
    wait_for 10 "Tinctora to have the focus" \
        sh -c "[ \"\$(xdotool getactivewindow)\" = $TINCTORA_WINDOW ]"
}

process_has_ended() {
    [ ! -e "/proc/$1" ] || grep -q '^[0-9]* (.*) Z' "/proc/$1/stat"
}

# wait_for_program_end: waits for the program to end and checks that it ended normally.
wait_for_program_end() {
    wait_for 20 "tinctora to end" process_has_ended "$TINCTORA_PID"
    local status=0
    wait "$TINCTORA_PID" || status=$?
    [ "$status" -eq 0 ] || fail "tinctora ended with status $status"
    note "tinctora ended normally"
}

# start_other_window: a small window of another program, given the keyboard focus, so that the
# keys are pressed while Tinctora does not have it.
start_other_window() {
    xmessage -geometry +700+80 -name other-program "Another program has the focus" \
        >"$E2E_TMP/xmessage.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 "the other program's window" xdotool search --name '^other-program$'
    OTHER_WINDOW=$(xdotool search --name '^other-program$' | head -n 1)
    wait_for 10 "the other window to be shown" window_is_viewable "$OTHER_WINDOW"
    xdotool windowactivate "$OTHER_WINDOW" >/dev/null 2>&1 || true
    wait_for 10 "the other window to get the focus" other_window_has_focus
}

other_window_has_focus() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$OTHER_WINDOW" ]
}

# Screen positions of the program's controls, from its window's place on the screen. The client
# area is 286 x 389 pixels under the menu bar, which takes the rest of the window's height.
window_geometry() {
    local info
    info=$(xwininfo -id "$TINCTORA_WINDOW")
    WIN_X=$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    WIN_Y=$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    local height
    height=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
    CLIENT_TOP=$((WIN_Y + height - 389))
}

# The colour shown in the middle of the current-colour swatch (Picture1), and of saved swatch K
# (1..12, two rows of six, 40 pixels apart), as "#rrggbb".
current_colour() {
    window_geometry
    "$TINCTORA_PIXEL_PROBE" "$((WIN_X + 76))" "$((CLIENT_TOP + 80))"
}

saved_colour() {
    local k=$1
    window_geometry
    "$TINCTORA_PIXEL_PROBE" "$((WIN_X + 40 + 40 * ((k - 1) % 6)))" \
        "$((CLIENT_TOP + 320 + 40 * ((k - 1) / 6)))"
}

# drag_current_colour_to X Y: presses the button on the big swatch, moves in steps to the screen
# point X,Y as a hand would, and releases it there.
drag_current_colour_to() {
    local tx=$1 ty=$2 x y i
    window_geometry
    x=$((WIN_X + 76))
    y=$((CLIENT_TOP + 80))
    xdotool mousemove "$x" "$y" mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.05
        xdotool mousemove "$((x + (tx - x) * i / 10))" "$((y + (ty - y) * i / 10))"
    done
    sleep 0.2
    xdotool mouseup 1
}

current_colour_is() { [ "$(current_colour)" = "$1" ]; }
saved_colour_is() { [ "$(saved_colour "$1")" = "$2" ]; }

# expect_current_colour COLOUR / expect_saved_colour K COLOUR: wait until the swatch shows it.
expect_current_colour() {
    poll_until 10 current_colour_is "$1" || fail "the current colour shows $(current_colour), not $1"
}

expect_saved_colour() {
    poll_until 10 saved_colour_is "$1" "$2" || fail "swatch $1 shows $(saved_colour "$1"), not $2"
}

# hold_key KEY WHAT COMMAND...: holds KEY down until COMMAND succeeds, then releases it, as a user
# holds a key.
hold_key() {
    local key=$1 what=$2
    shift 2
    xdotool keydown "$key"
    local status=0
    poll_until 10 "$@" || status=$?
    xdotool keyup "$key"
    [ "$status" -eq 0 ] || fail "timed out holding $key, waiting for $what"
}

# expect_palette_file LINE...: Pallets/default.ini holds exactly these lines, each ended by CR LF.
expect_palette_file() {
    local file=$PROGRAM_DIR/Pallets/default.ini
    [ -f "$file" ] || fail "$file was not written"
    printf '%s\r\n' "$@" >"$E2E_TMP/expected.ini"
    if ! cmp -s "$E2E_TMP/expected.ini" "$file"; then
        echo "expected:" >&2
        od -c "$E2E_TMP/expected.ini" >&2
        echo "written:" >&2
        od -c "$file" >&2
        fail "Pallets/default.ini does not hold the expected lines"
    fi
    note "Pallets/default.ini holds the expected $# lines"
}

# Twelve slot texts: the given ones, then "0" for every empty slot.
twelve_slots() {
    local slots=("$@")
    while [ ${#slots[@]} -lt 12 ]; do
        slots+=(0)
    done
    printf '%s\n' "${slots[@]}"
}

# --- The menus and the real file dialogs ---------------------------------------------------

dialog_named() { xdotool search --onlyvisible --name "^$1\$" | head -n 1 | grep .; }
dialog_closed() { ! dialog_named "$1"; }

# A popup menu is a window of the program's own besides the main window.
menu_is_open() {
    xdotool search --onlyvisible --class tinctora | grep -v "^$TINCTORA_WINDOW\$" | grep -q .
}

# open_file_menu_item N: clicks "File" on the menu bar and picks its N-th item by keyboard
# (separators are not counted).
open_file_menu_item() {
    local n=$1 i
    window_geometry
    xdotool mousemove "$((WIN_X + 16))" "$((WIN_Y + (CLIENT_TOP - WIN_Y) / 2))" click 1
    wait_for 10 "the File menu to open" menu_is_open
    for ((i = 0; i < n; i++)); do
        xdotool key Down
    done
    xdotool key Return
}

# answer_file_dialog TITLE NAME: types NAME into the file dialog titled TITLE and presses Enter.
answer_file_dialog() {
    local title=$1 name=$2 dialog
    wait_for 15 "the \"$title\" dialog" dialog_named "$title"
    dialog=$(dialog_named "$title")
    xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
    sleep 0.3 # the dialog puts the focus on its file name box once it is shown
    xdotool type --delay 20 "$name"
    xdotool key Return
    wait_for 10 "the \"$title\" dialog to close" dialog_closed "$title"
}

# pick_help_item N: opens the Help menu (File, then two to the right) and picks its N-th item.
pick_help_item() {
    local n=$1 i
    window_geometry
    xdotool mousemove "$((WIN_X + 16))" "$((WIN_Y + (CLIENT_TOP - WIN_Y) / 2))" click 1
    wait_for 10 "the File menu to open" menu_is_open
    xdotool key Right Right
    sleep 0.3
    for ((i = 1; i < n; i++)); do
        xdotool key Down
    done
    xdotool key Return
}

# open_contrast_window: picks Settings > "Check Contrast...", the menu's last item (Up from the
# first wraps round to it), and waits for the Contrast window; CONTRAST_WINDOW is its id.
open_contrast_window() {
    window_geometry
    xdotool mousemove "$((WIN_X + 16))" "$((WIN_Y + (CLIENT_TOP - WIN_Y) / 2))" click 1
    wait_for 10 "the File menu to open" menu_is_open
    xdotool key Right
    sleep 0.3
    xdotool key Up Return
    wait_for 10 "the Contrast window" dialog_named Contrast
    CONTRAST_WINDOW=$(dialog_named Contrast)
}

# pick_settings_item N: opens the Settings menu (File, then one to the right) and picks its N-th
# item.
pick_settings_item() {
    local n=$1 i
    window_geometry
    xdotool mousemove "$((WIN_X + 16))" "$((WIN_Y + (CLIENT_TOP - WIN_Y) / 2))" click 1
    wait_for 10 "the File menu to open" menu_is_open
    xdotool key Right
    sleep 0.3
    for ((i = 1; i < n; i++)); do
        xdotool key Down
    done
    xdotool key Return
}

# --- Display profiles --------------------------------------------------------------------------

# set_root_profile ATOM FILE: FILE's bytes as the root window's property ATOM (CARDINAL, 8-bit),
# as colord and xiccd publish a monitor's display profile. xprop -set stores at most 64 bytes.
set_root_profile() {
    /usr/bin/python3 - "$1" "$2" <<'PYTHON'
import sys
from Xlib import Xatom, display
screen = display.Display()
with open(sys.argv[2], "rb") as profile:
    screen.screen().root.change_property(screen.intern_atom(sys.argv[1]), Xatom.CARDINAL, 8,
                                         profile.read())
screen.sync()
PYTHON
}

remove_root_profile() {
    xprop -root -remove "$1"
}

# The program's error messages are titled "Error!".
error_box() { dialog_named 'Error!'; }
no_error_box() { ! error_box; }

# close_error_box: waits for the "Error!" message and closes it with OK (Enter).
close_error_box() {
    wait_for 15 "the \"Error!\" message" error_box
    xdotool windowactivate --sync "$(error_box)" >/dev/null 2>&1 || true
    xdotool key Return
    wait_for 10 "the message to close" no_error_box
}

# --- What a screen reader reads (AT-SPI) ---------------------------------------------------------

# start_accessibility_bus: a private session bus with the accessibility bus on it, as a desktop
# with a screen reader has; Qt programs started afterwards speak AT-SPI on it.
start_accessibility_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/session-bus" \
        >"$E2E_TMP/session-bus.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 "the session bus" grep -q . "$E2E_TMP/session-bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/session-bus")
    export DBUS_SESSION_BUS_ADDRESS
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 "the accessibility bus" dbus-send --session --print-reply --dest=org.a11y.Bus \
        /org/a11y/bus org.a11y.Bus.GetAddress
    # Without a desktop that asks for it, Qt speaks AT-SPI only when told to.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    note "accessibility bus on $DBUS_SESSION_BUS_ADDRESS"
}

# screen_reader tree | screen_reader focus NAME: see tests/e2e/screen_reader.py. Debian's pyatspi
# is there for the system's own python3 only.
screen_reader() {
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/screen_reader.py" "$@"
}

# reads LINE: whether `screen_reader tree` has this line now.
reads() {
    local tree
    tree=$(screen_reader tree) || return 1
    grep -qxF -- "$1" <<<"$tree"
}

# expect_read LINE: the screen reader reads this line of `screen_reader tree`, within ten seconds.
expect_read() {
    if ! poll_until 10 reads "$1"; then
        screen_reader tree >&2 || true
        fail "the screen reader does not read \"$1\""
    fi
}

# start_listening: from now on every focus change a screen reader announces goes into
# $E2E_TMP/heard, as "focus|role|name" (menus included, which the tree does not list).
start_listening() {
    # Appended to, so that forget_heard can empty it while it listens.
    : >"$E2E_TMP/heard"
    screen_reader listen >>"$E2E_TMP/heard" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 10 "the screen reader to listen" grep -qx listening "$E2E_TMP/heard"
    # The program learns of a new listener by a signal of its own, a moment later.
    sleep 1
}

forget_heard() { : >"$E2E_TMP/heard"; }

# expect_heard LINE: the screen reader has announced this, within ten seconds.
expect_heard() {
    poll_until 10 grep -qxF -- "$1" "$E2E_TMP/heard" ||
        fail "the screen reader did not announce \"$1\"; it heard: $(tail -n 5 "$E2E_TMP/heard")"
}
