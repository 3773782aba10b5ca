#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One entry point for a fresh Debian 12 machine: installs what is missing,
# builds, and then either opens the window or runs every test.
#
#   ./dev.sh run    install, build the Qt program, open the window
#   ./dev.sh test   install, build, run every test (Qt build and Windows build)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

# Debian 12 packages, by what needs them.
BUILD_PACKAGES=(g++ cmake ninja-build googletest libgtest-dev)
QT_PACKAGES=(qt6-base-dev qt6-qpa-plugins)
FONT_PACKAGES=(fonts-ipafont-gothic fonts-noto-cjk fonts-rocknroll)
GUI_TEST_PACKAGES=(xvfb xauth)
# cmake --install and cpack checked with the tools desktops and Debian use.
PACKAGING_TEST_PACKAGES=(desktop-file-utils appstream dpkg-dev file binutils)
# The program driven over AT-SPI, as a screen reader drives it.
ACCESSIBILITY_TEST_PACKAGES=(python3 python3-pyatspi at-spi2-core dbus dbus-daemon dbus-bin)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64)

say() { printf 'dev.sh: %s\n' "$*" >&2; }

# Installs the named packages that are not installed yet; does nothing when all are.
install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

run_window() {
    install_missing "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${FONT_PACKAGES[@]}"
    build release
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        say "pemtos needs a desktop session: no X11 or Wayland display is set (DISPLAY, WAYLAND_DISPLAY)."
        say "the program is built: build/release/platform/qt/pemtos"
        exit 2
    fi
    exec build/release/platform/qt/pemtos
}

test_qt() {
    build dev
    QT_QPA_PLATFORM=offscreen ctest --preset dev
}

test_windows() {
    build windows
    # Wine creates real windows, so the tests run inside a virtual X server.
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" ctest --preset windows
}

run_tests() {
    install_missing "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${FONT_PACKAGES[@]}" \
        "${GUI_TEST_PACKAGES[@]}" "${PACKAGING_TEST_PACKAGES[@]}" "${ACCESSIBILITY_TEST_PACKAGES[@]}" \
        "${WINDOWS_PACKAGES[@]}"
    test_qt
    test_windows
}

case "${1:-}" in
run) run_window ;;
test) run_tests ;;
*)
    echo "usage: $0 run|test" >&2
    exit 64
    ;;
esac
