#!/usr/bin/env bash
# Help > PDF Manual and Online Manual on a desktop whose xdg-open finds no program for anything:
# the real xdg-open runs, fails, and the program says so instead of staying silent. Help > About
# checks the version through the network module, which nothing before it loads.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

command -v xdg-open >/dev/null || fail "xdg-open (xdg-utils) is not installed"
start_xvfb 1024x768x24
start_window_manager
install_program
printf '%%PDF-1.4\n' >"$PROGRAM_DIR/Help.pdf"
# No desktop files, no browser setting, no desktop environment for xdg-open to ask.
mkdir -p "$E2E_TMP/empty"
export HOME=$E2E_TMP/empty XDG_DATA_HOME=$E2E_TMP/empty XDG_DATA_DIRS=$E2E_TMP/empty \
    XDG_CONFIG_HOME=$E2E_TMP/empty XDG_CONFIG_DIRS=$E2E_TMP/empty
unset BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
start_program

# maps_name TEXT: whether the program has a file named TEXT mapped.
maps_name() { grep -qF "$1" "/proc/$TINCTORA_PID/maps"; }
MODULE=$PROGRAM_DIR/$(basename "$TINCTORA_NETWORK_MODULE")
note "start-up reads neither the network module nor Qt Network"
! maps_name "$MODULE" || fail "the network module is loaded at start-up"
! maps_name libQt6Network || fail "Qt Network is loaded at start-up"

for item in 1 2; do
    note "Help menu item $item: the error message comes up and OK closes it"
    pick_help_item "$item"
    close_error_box
done
grep -q "no method available for opening '$PROGRAM_DIR/Help.pdf'" "$E2E_TMP/tinctora.log" ||
    fail "xdg-open was not asked for Help.pdf: $(cat "$E2E_TMP/tinctora.log")"
grep -q "no method available for opening 'http://tinctora.example/qormanual.htm'" \
    "$E2E_TMP/tinctora.log" || fail "xdg-open was not asked for the online manual"

note "Help > About: its version check loads the network module from the program's folder"
about_window() { dialog_named 'About Tinctora 1\.1'; }
pick_help_item 3
wait_for 15 "the About window" about_window
maps_name "$MODULE" || fail "the version check did not load $MODULE"
maps_name libQt6Network || fail "the network module did not bring Qt Network"
wmctrl -c 'About Tinctora 1.1'
wait_for 10 "the About window to close" dialog_closed 'About Tinctora 1\.1'

note "the window is still there"
window_is_viewable "$TINCTORA_WINDOW" || fail "the window is gone"
