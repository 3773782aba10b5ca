#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One entry point for a fresh Debian 12 machine: installs what is missing,
# builds, and then either opens the window or runs every test.
#
#   ./dev.sh run    install, build the Qt program, open the window
#   ./dev.sh test   install, build, run every test (Qt build and Windows build)
#   ./dev.sh bench  install, build, measure start-up, memory and lookups (bench/run.sh)
#   ./dev.sh web    install, build the page into build/web/site, serve it on localhost
#   ./dev.sh release  install, build every download of the last commit into build/dist
#                   (packaging/release.sh: .deb, MSI, portable .zip, the page's .zip, SHA256SUMS)
#
# Everything else (build settings, test environments) is in CMakePresets.json.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

# Debian 12 packages, by what needs them.
# ccache: every build compiles through it (CMakePresets.json), with its cache in ~/.cache/ccache.
BUILD_PACKAGES=(g++ cmake ninja-build ccache googletest libgtest-dev)
# qt6-wayland: the platform plugin that makes the program a native Wayland client.
QT_PACKAGES=(qt6-base-dev qt6-qpa-plugins qt6-wayland)
FONT_PACKAGES=(fonts-ipafont-gothic fonts-noto-cjk fonts-rocknroll)
GUI_TEST_PACKAGES=(xvfb xauth)
# The .deb, built from debian/ by Debian's own tools.
DEB_PACKAGES=(build-essential dpkg-dev debhelper)
# cmake --install and the .deb checked with the tools desktops and Debian use.
PACKAGING_TEST_PACKAGES=("${DEB_PACKAGES[@]}" desktop-file-utils appstream file binutils lintian)
# The program driven over AT-SPI, as a screen reader drives it, on X11 and on a headless
# Weston (with Xwayland, and Pillow to compare its screen grabs); xdotool gives the
# list real mouse and keyboard input. Orca hears both jobs driven by keys; speech-dispatcher
# writes its speech to a file (its generic module, with libao's null driver for sound).
ACCESSIBILITY_TEST_PACKAGES=(python3 python3-pyatspi at-spi2-core dbus dbus-daemon dbus-bin
    weston xwayland python3-pil xdotool orca speech-dispatcher speech-dispatcher-audio-plugins)
# Reliability gates: libFuzzer (clang and its runtime), clang-tidy, and fontconfig
# with a Latin-only font for the tests that start the program without Japanese fonts.
# lld links the test builds.
RELIABILITY_PACKAGES=(clang-14 libclang-rt-14-dev clang-tidy lld fontconfig fonts-dejavu-core)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64)
# The page: Emscripten for the WebAssembly build, Chromium and its WebDriver for the
# browser tests, Pillow to compare the page with the Linux window's grab (npm, Debian's
# unless Node.js brought its own, fetches axe-core).
WEB_PACKAGES=(emscripten python3 chromium chromium-driver python3-selenium python3-pil)
# The Windows packages: wixl and msibuild build the MSI (under faketime, to stamp it with
# the commit's time), msiinfo and unzip check them.
WINDOWS_PACKAGING_PACKAGES=(wixl msitools faketime unzip)
# The benchmarks: Google Benchmark for the lookups, callgrind for instruction counts.
BENCH_PACKAGES=(libbenchmark-dev valgrind xvfb x11-utils binutils)

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

# Runs one workflow preset (configure, build, test: CMakePresets.json carries each
# step's settings and environment) and says how long it took.
workflow() {
    local started=$SECONDS
    cmake --workflow --preset "$1"
    say "workflow $1: $((SECONDS - started)) s (load average $(cut -d' ' -f1-3 /proc/loadavg))"
}

run_window() {
    install_missing "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${FONT_PACKAGES[@]}"
    workflow release
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        say "pemtos needs a desktop session: no X11 or Wayland display is set (DISPLAY, WAYLAND_DISPLAY)."
        say "the program is built: build/release/platform/qt/pemtos"
        exit 2
    fi
    exec build/release/platform/qt/pemtos
}

install_web() {
    install_missing "${BUILD_PACKAGES[@]}" "${FONT_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
    command -v npm >/dev/null || install_missing npm
}

# Builds the site and serves its folder as any static host would.
run_web() {
    install_web
    cmake --preset web >/dev/null
    cmake --build --preset web
    local port=${PEMTOS_WEB_PORT:-8000}
    say "the site is the folder build/web/site; serving it at http://localhost:$port/ (Ctrl+C stops)"
    exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
}

# Every gate: the Qt suite and clang-tidy, the page in headless Chromium, the suite
# again under the sanitizers, the fuzzed lookups, and the Windows build with its
# suite under Wine.
run_tests() {
    install_missing "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${FONT_PACKAGES[@]}" \
        "${GUI_TEST_PACKAGES[@]}" "${PACKAGING_TEST_PACKAGES[@]}" "${ACCESSIBILITY_TEST_PACKAGES[@]}" \
        "${RELIABILITY_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WINDOWS_PACKAGING_PACKAGES[@]}"
    install_web
    local started=$SECONDS preset
    for preset in dev web asan fuzz windows; do
        workflow "$preset"
    done
    say "every test passed in $((SECONDS - started)) s"
}

# Every download, built from the last commit as anyone else would build it.
run_release() {
    install_missing git "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${DEB_PACKAGES[@]}" \
        "${WINDOWS_PACKAGES[@]}" "${WINDOWS_PACKAGING_PACKAGES[@]}" emscripten python3
    exec packaging/release.sh . build/dist
}

run_bench() {
    install_missing "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${FONT_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" \
        "${WINDOWS_PACKAGES[@]}"
    exec bench/run.sh build/bench
}

case "${1:-}" in
run) run_window ;;
test) run_tests ;;
bench) run_bench ;;
web) run_web ;;
release) run_release ;;
*)
    echo "usage: $0 run|test|bench|web|release" >&2
    exit 64
    ;;
esac
