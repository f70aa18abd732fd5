#!/usr/bin/env bash
# An installed Tinctora: `cmake --install` lays out the program, its manual, the menu entry,
# icons and metainfo, all valid. Run by an ordinary user who cannot write the installed folder,
# it keeps the palette in the user's data folder and shows it again at the next start. A copy
# in a folder its user can write keeps Pallets/ beside itself.
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

BUILD_DIR=$(dirname "$TINCTORA_BINARY")
PREFIX=$E2E_TMP/prefix
RUN_AS=nobody
RUN_UID=$(id -u "$RUN_AS")
RUN_GID=$(id -g "$RUN_AS")

note "cmake --install into $PREFIX"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
    { cat "$E2E_TMP/install.log" >&2; fail "cmake --install failed"; }

note "the installed files"
[ -x "$PREFIX/lib/tinctora/tinctora" ] || fail "no program in lib/tinctora"
[ -f "$PREFIX/lib/tinctora/$(basename "$TINCTORA_NETWORK_MODULE")" ] ||
    fail "no network module beside the installed program"
[ "$(readlink "$PREFIX/bin/tinctora")" = ../lib/tinctora/tinctora ] ||
    fail "bin/tinctora is not a relative link to the program"
pages=$(pdfinfo "$PREFIX/lib/tinctora/Help.pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -gt 1 ] || fail "no manual beside the installed program"
desktop=$PREFIX/share/applications/example.tinctora.Tinctora.desktop
desktop-file-validate "$desktop" || fail "the menu entry does not validate"
grep -qx 'Exec=tinctora' "$desktop" || fail "the menu entry does not start tinctora"
grep -qx 'Icon=tinctora' "$desktop" || fail "the menu entry names another icon"
appstreamcli validate --no-net "$PREFIX/share/metainfo/example.tinctora.Tinctora.metainfo.xml" \
    >"$E2E_TMP/appstream.log" 2>&1 || { cat "$E2E_TMP/appstream.log" >&2; fail "metainfo"; }
png_size() { # width and height from the PNG header, as "WxH"
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}
for size in 16 32 48 64 128 256; do
    icon=$PREFIX/share/icons/hicolor/${size}x${size}/apps/tinctora.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
done
grep -q '<svg' "$PREFIX/share/icons/hicolor/scalable/apps/tinctora.svg" || fail "no scalable icon"
zcat "$PREFIX/share/man/man1/tinctora.1.gz" | grep -q '^\.TH TINCTORA 1' || fail "no manual page"

# The program runs as an ordinary user, for whom the installed folders are someone else's.
chmod 0755 "$E2E_TMP"
USER_HOME=$E2E_TMP/user-home
USER_RUNTIME=$E2E_TMP/user-runtime
mkdir -p "$USER_HOME"
mkdir -m 0700 "$USER_RUNTIME"
chown "$RUN_UID:$RUN_GID" "$USER_HOME" "$USER_RUNTIME"
# as_user COMMAND...: the command as that user, with a clean environment of the user's own.
as_user() {
    setpriv --reuid="$RUN_UID" --regid="$RUN_GID" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$USER_HOME" XDG_RUNTIME_DIR="$USER_RUNTIME" \
        DISPLAY="${DISPLAY:-}" "$@"
}
if as_user touch "$PREFIX/lib/tinctora/write-probe" 2>/dev/null; then
    fail "the user can write the installed program's folder; the test would prove nothing"
fi

# start_as_user COMMAND: starts Tinctora as the user and waits for its window.
start_as_user() {
    # exec: the process waited for and signalled is the program itself.
    (cd "$USER_HOME" && exec setpriv --reuid="$RUN_UID" --regid="$RUN_GID" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$USER_HOME" XDG_RUNTIME_DIR="$USER_RUNTIME" \
        DISPLAY="$DISPLAY" "$1" >>"$E2E_TMP/tinctora.log" 2>&1) &
    track_started_program $!
    note "tinctora runs as $RUN_AS, window $TINCTORA_WINDOW"
}

# expect_file_lines FILE LINE...: FILE holds exactly these lines, each ended by CR LF.
expect_file_lines() {
    local file=$1
    shift
    [ -f "$file" ] || fail "$file was not written"
    printf '%s\r\n' "$@" >"$E2E_TMP/expected.ini"
    cmp -s "$E2E_TMP/expected.ini" "$file" || { od -c "$file" >&2; fail "$file differs"; }
}

start_xvfb 1280x1024x24
start_window_manager
set_screen_colour '#123456'
start_as_user "$PREFIX/bin/tinctora"
start_other_window
xdotool mousemove 1250 1000
expect_current_colour '#123456'
note "F4 freezes #123456 and saves it in swatch 1"
hold_key F4 "swatch 1 to show #123456" saved_colour_is 1 '#123456'

note "SIGTERM closes the program, which writes the palette to the user's data folder"
kill -TERM "$TINCTORA_PID"
wait_for_program_end
mapfile -t expected < <(twelve_slots 05649426)
user_palette=$USER_HOME/.local/share/Tinctora/Pallets/default.ini
expect_file_lines "$user_palette" "${expected[@]}"
[ "$(stat -c %u "$user_palette")" = "$RUN_UID" ] || fail "the palette does not belong to the user"
[ ! -e "$PREFIX/lib/tinctora/Pallets" ] || fail "a Pallets folder appeared in the installed folder"

note "the next start shows the colour again"
set_screen_colour '#abcdef'
start_as_user "$PREFIX/bin/tinctora"
expect_saved_colour 1 '#123456'
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
expect_file_lines "$user_palette" "${expected[@]}"

note "a copy in a folder the user owns keeps Pallets/ beside itself"
PORTABLE=$E2E_TMP/portable
mkdir "$PORTABLE"
cp "$PREFIX/lib/tinctora/tinctora" "$PORTABLE/"
chown -R "$RUN_UID:$RUN_GID" "$PORTABLE"
rm -rf "$USER_HOME/.local/share/Tinctora"
start_as_user "$PORTABLE/tinctora"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
mapfile -t empty < <(echo -1207)
expect_file_lines "$PORTABLE/Pallets/default.ini" "${empty[@]}"
[ ! -e "$USER_HOME/.local/share/Tinctora" ] || fail "the portable copy wrote to the data folder"
