# Shared by the scripts: installing what is missing and building.
# shellcheck shell=bash

TINCTORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TINCTORA_BUILD=${TINCTORA_BUILD:-$TINCTORA_ROOT/build}

# What building needs, and what the tests add: an X server (Xvfb, with xauth for xvfb-run), a
# window manager (openbox, closed through wmctrl), input (xdotool), the screen's colour, size and
# keyboard map (x11-xserver-utils: xsetroot, xrandr, xmodmap) and window inspection and a
# second program to hold the focus (x11-utils: xprop, xwininfo, xdpyinfo, xmessage).
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libx11-dev libxi-dev libgl-dev libgtest-dev
                libgmock-dev clang-format)
TEST_PACKAGES=(xvfb xauth xdotool x11-xserver-utils x11-utils openbox wmctrl)
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
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build_tinctora() {
    cmake -S "$TINCTORA_ROOT" -B "$TINCTORA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$TINCTORA_BUILD" --parallel "$(nproc)"
}
