#!/usr/bin/env bash
# The two Windows packages that scripts/windows makes: the portable zip holds the program, its
# manual and the licence in one folder; the installer, run silently under wine, puts them into
# Program Files with a Start-menu entry, and its uninstaller removes them again but leaves the
# palettes that the user saved.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

packages=${TINCTORA_PACKAGES:?}
zip=$(ls "$packages"/tinctora-*-windows-x86_64.zip 2>/dev/null | head -n 1) ||
    fail "no zip in $packages: scripts/windows makes the packages"
installer=$(ls "$packages"/tinctora-*-windows-x86_64.exe 2>/dev/null | head -n 1) ||
    fail "no installer in $packages: scripts/windows makes the packages"
folder=$(basename "$zip" .zip)

note "the zip: one folder with tinctora.exe, Help.pdf and LICENSE.txt"
unzip -Z1 "$zip" | grep -v '/$' | sort >"$E2E_TMP/zip-files"
printf '%s\n' "$folder/Help.pdf" "$folder/LICENSE.txt" "$folder/tinctora.exe" >"$E2E_TMP/expected"
diff "$E2E_TMP/expected" "$E2E_TMP/zip-files" || fail "the zip holds other files"
unzip -q "$zip" -d "$E2E_TMP/portable"
cmp -s "$TINCTORA_HELP_PDF" "$E2E_TMP/portable/$folder/Help.pdf" || fail "the zip's Help.pdf differs"

start_xvfb 1024x768x24
start_wine
windows_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
install_dir=$(windows_path 'C:\Program Files\Tinctora')
menu_dir=$(windows_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tinctora')
user_palettes=$(windows_path "$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')")/Tinctora/Pallets

note "the installer, silent, into Program Files"
"$WINE" "$installer" /S >"$E2E_TMP/installer.log" 2>&1 || fail "the installer failed"
"$WINESERVER" -w
for file in tinctora.exe Help.pdf LICENSE.txt Uninstall.exe; do
    [ -f "$install_dir/$file" ] || fail "the installer did not put $file into $install_dir"
done
# The same program: each package strips its own copy, which stamps the time into the header.
cmp -s <(tail -c +1025 "$E2E_TMP/portable/$folder/tinctora.exe") \
    <(tail -c +1025 "$install_dir/tinctora.exe") || fail "the installed tinctora.exe is not the zip's"
[ -f "$menu_dir/Tinctora.lnk" ] || fail "no Start-menu entry: $(ls -R "$menu_dir" 2>&1)"

note "the uninstaller removes the program and its Start-menu entry, not the palettes"
mkdir -p "$user_palettes" "$install_dir/Pallets"
printf '%s\r\n' 00000255 >"$user_palettes/default.ini"
printf '%s\r\n' 16711680 >"$install_dir/Pallets/blue.ini"
# _?= runs it in place and waits for it; it then leaves only itself and the folders behind.
"$WINE" "$install_dir/Uninstall.exe" /S '_?=C:\Program Files\Tinctora' \
    >"$E2E_TMP/uninstaller.log" 2>&1 || fail "the uninstaller failed"
"$WINESERVER" -w
for file in tinctora.exe Help.pdf LICENSE.txt; do
    [ ! -e "$install_dir/$file" ] || fail "the uninstaller left $file"
done
[ ! -e "$menu_dir/Tinctora.lnk" ] || fail "the uninstaller left the Start-menu entry"
[ "$(cat "$user_palettes/default.ini")" = $'00000255\r' ] || fail "the user's palette is gone"
[ "$(cat "$install_dir/Pallets/blue.ini")" = $'16711680\r' ] ||
    fail "the palette beside the program is gone"
note "both palettes are still there"
