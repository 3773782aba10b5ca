#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs or packs the program and checks that every file lands where desktops
# and package managers look for it, and that the source package and the .deb pass
# Debian's lintian.
#
#   packaging_test.sh install <build dir> <scratch prefix>
#   packaging_test.sh deb <checkout> <scratch dir>
#
# Environment: PEMTOS_APP_ID, PEMTOS_VERSION, PEMTOS_ICON_SIZES (space-separated).
set -euo pipefail

mode=$1 build=$2 scratch=$3
app_id=${PEMTOS_APP_ID:?}
read -r -a icon_sizes <<<"${PEMTOS_ICON_SIZES:?}"
failures=0

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failures=$((failures + 1))
}

# The files of an installed tree below <root>/<prefix>, and how they fit together.
check_tree() {
    local root=$1 prefix=$2
    local bin=$root$prefix/bin/pemtos
    local desktop=$root$prefix/share/applications/$app_id.desktop
    local metainfo=$root$prefix/share/metainfo/$app_id.metainfo.xml

    [ -x "$bin" ] || fail "no executable $bin"
    [ -f "$desktop" ] || fail "no desktop entry $desktop"
    [ -f "$metainfo" ] || fail "no AppStream metadata $metainfo"
    local size icon
    for size in "${icon_sizes[@]}"; do
        icon=$root$prefix/share/icons/hicolor/$size/apps/$app_id.png
        if [ ! -f "$icon" ]; then
            fail "no icon $icon"
        elif ! file "$icon" | grep -q "PNG image data, ${size/x/ x }"; then
            fail "$icon is not a $size PNG: $(file -b "$icon")"
        fi
    done
    # What Debian asks of every package, which a plain install carries too.
    [ -f "$root$prefix/share/doc/pemtos/copyright" ] || fail "no copyright file"
    local page
    for page in man/man1/pemtos.1.gz man/ja/man1/pemtos.1.gz; do
        [ -f "$root$prefix/share/$page" ] || fail "no manual page $page"
    done
    [ -f "$desktop" ] && [ -f "$metainfo" ] || return 0

    # One application ID throughout: the icon the entry names, the entry the metadata launches.
    grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not name the icon $app_id"
    grep -qx "Exec=pemtos" "$desktop" || fail "the desktop entry does not start pemtos"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metadata does not launch $app_id.desktop"
    # The installed program must find Qt where the system keeps it, not in the build tree.
    if [ -x "$bin" ] && readelf -d "$bin" | grep -E 'RPATH|RUNPATH' | grep -qF "$build"; then
        fail "$bin still looks for libraries in the build tree"
    fi
}

case $mode in
install)
    rm -rf "$scratch"
    cmake --install "$build" --prefix "$scratch"
    check_tree "" "$scratch"
    ;;
deb)
    rm -rf "$scratch"
    # Built as a release builds it, by dpkg-buildpackage from debian/; $build is the
    # checkout here, and the package is built in a copy below $scratch.
    bash "$build/packaging/builddeb.sh" "$build" "$scratch"
    debs=("$scratch"/pemtos_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "not one .deb in $scratch"; exit 1; }
    deb=${debs[0]}
    dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
    dpkg-deb -x "$deb" "$scratch/root"
    check_tree "$scratch/root" /usr

    [ "$(dpkg-deb -f "$deb" Package)" = pemtos ] || fail "the package is not named pemtos"
    [ "$(dpkg-deb -f "$deb" Version)" = "$PEMTOS_VERSION" ] || fail "the package version is not $PEMTOS_VERSION"
    depends=$(dpkg-deb -f "$deb" Depends)
    # The package names alone, one a line, without their version constraints.
    names=$(sed -e 's/ *([^)]*)//g' -e 's/, */\n/g' <<<"$depends")
    # What the linker sees (found by dpkg-shlibdeps) and what Qt and the window load at run time.
    for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
        qt6-qpa-plugins fonts-ipafont-gothic fonts-rocknroll fonts-noto-cjk; do
        grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
    done
    # Without Qt's Wayland plugin a Wayland desktop sees the program only through Xwayland.
    [ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"

    # Debian's own checker, on the source package and the .deb: an error or a warning fails.
    lintian_status=0
    lintian --fail-on error,warning "$scratch"/pemtos_*.changes >"$scratch/lintian.log" 2>&1 || lintian_status=$?
    grep -v '^running with root privileges' "$scratch/lintian.log" || true
    [ "$lintian_status" -eq 0 ] || fail "lintian exited with status $lintian_status"
    if grep -qE '^[EW]: ' "$scratch/lintian.log"; then
        fail "lintian reports errors or warnings"
    fi
    ;;
*)
    echo "usage: $0 install <build dir> <scratch dir> | deb <checkout> <scratch dir>" >&2
    exit 64
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures failed" >&2
    exit 1
fi
echo "all files in place"
