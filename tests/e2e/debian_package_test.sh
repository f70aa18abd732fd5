#!/usr/bin/env bash
# The Debian package: CPack builds it from this build with dependencies computed from the
# binary, lintian finds nothing beyond the explained overrides, apt installs it, the menu
# entry's Exec line starts the program for an ordinary user, and removal leaves nothing behind.
# It installs into the real system, so it runs only as root where dpkg and apt are available,
# and only while no tinctora package is installed; otherwise it is skipped (exit 77).
# shellcheck source=tests/e2e/lib.sh
source "${E2E_LIB:?}"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing packages needs root"
command -v dpkg >/dev/null && command -v apt-get >/dev/null || skip "no dpkg and apt here"
command -v cpack >/dev/null || skip "no cpack"
if dpkg-query -W -f='${Status}' tinctora 2>/dev/null | grep -q installed; then
    skip "a tinctora package is installed already; it is left alone"
fi

BUILD_DIR=$(dirname "$TINCTORA_BINARY")
INSTALLED=false
# Another apt on the machine (an unattended upgrade) holding the package lock is waited for.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=120 "$@"
}
purge_package() {
    apt_get purge tinctora >"$E2E_TMP/purge.log" 2>&1
}
# Whatever happens, the machine is left without the package.
trap 'if $INSTALLED; then purge_package || true; fi; e2e_cleanup' EXIT

note "cpack builds the package"
cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$E2E_TMP/packages" \
    >"$E2E_TMP/cpack.log" 2>&1 || { cat "$E2E_TMP/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$E2E_TMP"/packages/tinctora_*_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = tinctora ] || fail "the package is not named tinctora"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libx11-6 libxi6 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
note "Depends: $depends"

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
        { cat "$E2E_TMP/lintian.log" >&2; fail "lintian reports errors or warnings"; }
    note "lintian: no errors or warnings"
fi

note "apt installs it"
mapfile -t files < <(dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$')
INSTALLED=true
apt_get install --no-install-recommends "$deb" \
    >"$E2E_TMP/apt.log" 2>&1 || { cat "$E2E_TMP/apt.log" >&2; fail "apt could not install it"; }
for f in "${files[@]}"; do
    [ -e "$f" ] || [ -L "$f" ] || fail "$f is not installed"
done
desktop=/usr/share/applications/example.tinctora.Tinctora.desktop
desktop-file-validate "$desktop" || fail "the installed menu entry does not validate"

note "the menu entry's Exec line starts the program for an ordinary user"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
read -r -a command <<<"${exec_line//%[fFuU]/}"
chmod 0755 "$E2E_TMP"
USER_HOME=$E2E_TMP/user-home
mkdir -p "$USER_HOME" && mkdir -m 0700 "$E2E_TMP/user-runtime"
chown nobody:nogroup "$USER_HOME" "$E2E_TMP/user-runtime"
start_xvfb 1280x1024x24
start_window_manager
(cd "$USER_HOME" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$USER_HOME" \
    XDG_RUNTIME_DIR="$E2E_TMP/user-runtime" DISPLAY="$DISPLAY" "${command[@]}" \
    >>"$E2E_TMP/tinctora.log" 2>&1) &
TINCTORA_PID=$!
E2E_PIDS+=("$TINCTORA_PID")
wait_for 20 "the window \"Tinctora 1.1\"" window_of_tinctora
[ "$(readlink "/proc/$TINCTORA_PID/exe")" = /usr/lib/tinctora/tinctora ] ||
    fail "the menu entry started $(readlink "/proc/$TINCTORA_PID/exe"), not the package's program"
wmctrl -c 'Tinctora 1.1'
wait_for_program_end
[ -f "$USER_HOME/.local/share/Tinctora/Pallets/default.ini" ] ||
    fail "the palette is not in the user's data folder"

note "removing it leaves nothing behind"
purge_package || { cat "$E2E_TMP/purge.log" >&2; fail "apt could not remove it"; }
INSTALLED=false
if dpkg-query -W -f='${Status}' tinctora 2>/dev/null | grep -q installed; then
    fail "dpkg still lists tinctora"
fi
for f in "${files[@]}"; do
    [ ! -e "$f" ] && [ ! -L "$f" ] || fail "$f is left behind"
done
for d in /usr/lib/tinctora /usr/share/doc/tinctora; do
    [ ! -e "$d" ] || fail "$d is left behind"
done
note "installed, started from the menu entry and removed cleanly"
