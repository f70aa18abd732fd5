#!/usr/bin/env bash
# The Windows program under wine, through its real window, from a folder whose name is outside
# the ANSI code page (C:\Цвета 色): it reads a hand-edited Pallets\default.ini beside tinctora.exe
# (a typo on one line), follows the pointer over the bare screen, stores colours with F4 and F2
# while it has the focus, and writes the palette, CR LF and all, when the window manager closes
# it. Help > PDF Manual without Help.pdf says so. Show sRGB Values is kept in settings.ini beside
# the palettes and works on wine's sRGB monitor. Open Pallet reads another palette there. The
# file and colour dialogs leave no key of the program's or of Qt's in the registry.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

start_xvfb 1280x1024x24
start_window_manager
start_wine
PROGRAM_DIR="$WINEPREFIX/drive_c/Цвета 色"
mkdir -p "$PROGRAM_DIR"
set_screen_colour '#123456'
install_windows_program
mkdir -p "$PROGRAM_DIR/Pallets"
# Red, a typo (the letter O for a zero), blue; the rest empty, as Notepad saves it.
printf '%s\r\n' 00000255 0O065280 16711680 0 0 0 0 0 0 0 0 0 >"$PROGRAM_DIR/Pallets/default.ini"
start_windows_program

note "the palette is read: red, the typo's swatch empty, blue"
expect_saved_colour 1 '#ff0000'
expect_saved_colour 3 '#0000ff'

note "live capture follows the pointer over the bare screen"
xdotool mousemove 1250 1000
expect_current_colour '#123456'

focus_tinctora
note "F4 freezes the colour and stores it in the first empty swatch, the typo's"
xdotool key F4
expect_saved_colour 2 '#123456'
set_screen_colour '#abcdef'
note "F2 stores the frozen colour in the next empty swatch"
xdotool key F2
expect_saved_colour 4 '#123456'
current_colour_is '#123456' || fail "the frozen colour changed"

note "closing through the window manager writes the palette"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
# #123456 is 0x563412 = 5649426.
mapfile -t expected < <(twelve_slots 00000255 05649426 16711680 05649426)
expect_palette_file "${expected[@]}"

note "Help > PDF Manual with no Help.pdf beside the program: the message says so"
[ ! -e "$PROGRAM_DIR/Help.pdf" ] || fail "Help.pdf is in the program folder"
start_windows_program
pick_help_item 1
wait_for 15 "the \"Error!\" message" error_box
note "its text, copied with Ctrl+C as from any message box of Windows"
xdotool windowactivate --sync "$(error_box)" >/dev/null 2>&1 || true
xdotool key ctrl+c
message_copied() {
    xclip -o -selection clipboard | tr -d '\r' | grep -qxF "$1"
}
wait_for 10 "the message's text on the clipboard" message_copied \
    "Error Running PDF Manual! Try installing Adobe Reader or read the Online Manual"
close_error_box
window_is_viewable "$TINCTORA_WINDOW" || fail "the window is gone"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end

note "Settings > Show sRGB Values: kept in settings.ini beside the palettes, read at the next start"
set_screen_colour '#b0360d'
start_windows_program
pick_settings_item 4
wait_for 10 "settings.ini beside the program" test -s "$PROGRAM_DIR/settings.ini"
[ "$(tr -d '\r' <"$PROGRAM_DIR/settings.ini")" = "ShowSrgbValues=1" ] ||
    fail "settings.ini holds $(od -c "$PROGRAM_DIR/settings.ini")"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
start_windows_program
focus_tinctora
xdotool mousemove 1250 1000
sleep 0.5
xdotool key F2
# Wine gives every monitor an sRGB profile, which converts this colour to itself.
expect_saved_colour 5 '#b0360d'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
[ "$(tr -d '\r' <"$PROGRAM_DIR/settings.ini")" = "ShowSrgbValues=1" ] || fail "the choice was lost"

note "Open Pallet reads a palette from the same folder"
printf '%s\r\n' 16711680 00000255 0 0 0 0 0 0 0 0 0 0 >"$PROGRAM_DIR/Pallets/blue.ini"
start_windows_program
open_file_menu_item 2
answer_file_dialog "Open Pallet" "blue.ini"
expect_saved_colour 1 '#0000ff'
expect_saved_colour 2 '#ff0000'

note "the colour dialog opens and is cancelled"
colour_dialog() { xdotool search --onlyvisible --name '^Colou?r$' | head -n 1 | grep .; }
no_colour_dialog() { ! colour_dialog; }
window_geometry
xdotool mousemove "$((WIN_X + 72))" "$((CLIENT_TOP + 236))" click 1
wait_for 15 "the colour dialog" colour_dialog
xdotool windowactivate --sync "$(colour_dialog)" >/dev/null 2>&1 || true
xdotool key Escape
wait_for 10 "the colour dialog to close" no_colour_dialog
wmctrl -c 'Tinctora 1.1'
wait_for_program_end

note "no key of the program's or of Qt's in the registry, after both kinds of dialog"
# The wine server writes the registry files when it ends.
"$WINESERVER" -w
keys=$(grep -iE '^\[[^]]*(QtProject|OrganizationDefaults|Tinctora)' "$WINEPREFIX/user.reg" || true)
[ -z "$keys" ] || fail "the registry holds keys of the program's or of Qt's: $keys"
