# Shared by the scripts: installing what is missing and building.
# shellcheck shell=bash

TINCTORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The program alone (scripts/run, scripts/install) and the program with its tests (scripts/test,
# scripts/screenshots) are built in folders of their own, so that neither reconfigures the other.
TINCTORA_BUILD=${TINCTORA_BUILD:-$TINCTORA_ROOT/build}
TINCTORA_TEST_BUILD=${TINCTORA_TEST_BUILD:-$TINCTORA_ROOT/build-tests}

# What building needs, and what the tests add: an X server (Xvfb, with xauth for xvfb-run), a
# window manager (openbox, closed through wmctrl), input (xdotool), the screen's colour, size and
# keyboard map (x11-xserver-utils: xsetroot, xrandr, xmodmap) and window inspection and a
# second program to hold the focus (x11-utils: xprop, xwininfo, xdpyinfo, xmessage), the primary
# selection as another program pastes it (xclip), a program of another toolkit generation that
# takes dragged colours and prints the one it holds (kcolorchooser, Qt 5), and the desktop's real
# opener (xdg-utils: xdg-open) on a machine that has nothing to open with. Display profiles are
# converted with LittleCMS (liblcms2-dev, found through pkg-config) and tested on the desktop's
# own monitor profiles (colord-data), set on the X server through Python's Xlib (python3-xlib).
# The desktop portal tests add private session buses (dbus-daemon, dbus-bin) and a real headless
# Wayland desktop: sway, pipewire, the portal with its wlroots and GTK backends, grim (the
# wlroots backend's screenshots), Qt's Wayland platform and keys typed on that desktop (wtype).
# The screen reader test reads the window through the accessibility bus (at-spi2-core) with
# Python's AT-SPI client (python3-pyatspi).
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libx11-dev libxi-dev libxext-dev libxrandr-dev
                liblcms2-dev pkg-config libgl-dev libgtest-dev libgmock-dev clang-format)
TEST_PACKAGES=(xvfb xauth xdotool x11-xserver-utils x11-utils openbox wmctrl xclip kcolorchooser
               colord-data python3-xlib at-spi2-core python3-pyatspi
               xdg-utils dbus-daemon dbus-bin sway pipewire xdg-desktop-portal
               xdg-desktop-portal-wlr xdg-desktop-portal-gtk grim qt6-wayland wtype)
# The release: a font for the manual Help.pdf made at build time; for its checks the PDF tools
# (poppler-utils: pdfinfo, pdftotext), the desktop-entry and AppStream validators, and what
# builds, checks and installs the Debian package (dpkg-dev for dpkg-shlibdeps, lintian).
RELEASE_BUILD_PACKAGES=(fonts-dejavu-core)
RELEASE_TEST_PACKAGES=(poppler-utils desktop-file-utils appstream dpkg-dev lintian)

# Installs the Debian packages that are not there yet; the package lists are updated only when
# something must be installed.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    # Another apt (an unattended upgrade, a parallel run) holding the lock is waited for.
    "${sudo[@]}" apt-get update -qq -o DPkg::Lock::Timeout=120
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=120 "${missing[@]}"
}

# build_tinctora: the program alone, in $TINCTORA_BUILD.
build_tinctora() {
    cmake -S "$TINCTORA_ROOT" -B "$TINCTORA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTINCTORA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$TINCTORA_BUILD" --parallel "$(nproc)"
}

# build_tinctora_tests: the program with its tests, in $TINCTORA_TEST_BUILD.
build_tinctora_tests() {
    cmake -S "$TINCTORA_ROOT" -B "$TINCTORA_TEST_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTINCTORA_BUILD_TESTS=ON >/dev/null
    cmake --build "$TINCTORA_TEST_BUILD" --parallel "$(nproc)"
}

# Windows (scripts/windows): the mingw-w64 compiler, what builds the static Qt from Debian's
# source (apt-get source needs dpkg-dev; xz unpacks it; Ninja), the icon's maker (python3), the
# zip and installer makers (zip, nsis) and wine, which the tests run the program in.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix ninja-build dpkg-dev xz-utils python3 zip nsis wine
                  wine64)
WINDOWS_TEST_PACKAGES=(unzip)

# Fuzzing: clang with its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev liblcms2-dev pkg-config)
TINCTORA_FUZZ_BUILD=${TINCTORA_FUZZ_BUILD:-$TINCTORA_ROOT/build-fuzz}

build_fuzz_targets() {
    cmake -S "$TINCTORA_ROOT/fuzz" -B "$TINCTORA_FUZZ_BUILD" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$TINCTORA_FUZZ_BUILD" --parallel "$(nproc)"
}

# The targets built from fuzz/<name>_fuzz.cpp.
fuzz_target_names() {
    local source
    for source in "$TINCTORA_ROOT"/fuzz/*_fuzz.cpp; do
        basename "$source" .cpp
    done
}

# run_fuzz_targets SECONDS [NAME...]: replays each target's kept reproducers and seed corpus, then
# fuzzes it for SECONDS. Stops at the first finding, with its log on stderr.
run_fuzz_targets() {
    local seconds=$1
    shift
    local names=("$@")
    [ ${#names[@]} -eq 0 ] && mapfile -t names < <(fuzz_target_names)
    local name
    for name in "${names[@]}"; do
        local short=${name%_fuzz}
        local binary="$TINCTORA_FUZZ_BUILD/$name"
        local findings="$TINCTORA_FUZZ_BUILD/findings/$short"
        local seeds="$TINCTORA_ROOT/fuzz/corpus/$short"
        local kept="$TINCTORA_ROOT/fuzz/regressions/$short"
        mkdir -p "$findings/corpus" "$seeds" "$kept"
        echo "fuzz: $name for ${seconds} s (seeds $(ls "$seeds" | wc -l), reproducers $(ls "$kept" | wc -l))"
        if ! ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
            "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
            -print_final_stats=1 -artifact_prefix="$findings/" \
            "$findings/corpus" "$seeds" "$kept" >"$findings/log" 2>&1; then
            tail -n 60 "$findings/log" >&2
            echo "fuzz: $name found a fault; the input is in $findings/" >&2
            return 1
        fi
        grep -E '^stat::number_of_executed_units|^#[0-9]+ +DONE' "$findings/log" | tail -n 2 || true
    done
}
