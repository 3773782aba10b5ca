#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian source package and the .deb from debian/ with Debian's own
# tools (dpkg-buildpackage, dh), in a copy of the sources below <output folder>,
# so that nothing is written into the checkout.
#
#   builddeb.sh <checkout> <output folder> [tree|commit]
#
# tree (the default) copies the files as they are, tracked or not (not those git
# ignores); commit takes the last commit only, as a release does. The .dsc, the
# source tarball, the .deb and the .changes end up in <output folder>.
# DEB_BUILD_OPTIONS and SOURCE_DATE_EPOCH are passed on; a compiler launcher set in
# CMAKE_CXX_COMPILER_LAUNCHER (ccache) is used as in any CMake build.
set -euo pipefail

checkout=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
what=${3:-tree}
version=$(dpkg-parsechangelog -l "$checkout/debian/changelog" -S Version)
work=$out/work
tree=$work/pemtos-$version
rm -rf "$work" "$out"/pemtos_*
mkdir -p "$tree"

case $what in
commit) git -C "$checkout" archive --format=tar HEAD | tar -x -C "$tree" ;;
tree)
    if [ "$(git -C "$checkout" rev-parse --show-toplevel 2>/dev/null)" = "$checkout" ]; then
        (cd "$checkout" && git ls-files -z --cached --others --exclude-standard |
            tar --null --no-recursion -T - -cf -) | tar -x -C "$tree"
    else
        tar -C "$checkout" --exclude=./build --exclude=./.git -cf - . | tar -x -C "$tree"
    fi
    ;;
*)
    echo "usage: $0 <checkout> <output folder> [tree|commit]" >&2
    exit 64
    ;;
esac

# debhelper gives the build a fresh HOME, where ccache would start an empty cache:
# it keeps the caller's.
if [[ ${CMAKE_CXX_COMPILER_LAUNCHER:-} == *ccache* ]] && [ -z "${CCACHE_DIR:-}" ]; then
    CCACHE_DIR=$(ccache --get-config cache_dir)
    export CCACHE_DIR
fi
# Only the package is built: the tests are the project's CI's, the debug symbols nobody's.
export DEB_BUILD_OPTIONS="nocheck noddebs parallel=2${DEB_BUILD_OPTIONS:+ $DEB_BUILD_OPTIONS}"
if ! (cd "$tree" && dpkg-buildpackage -us -uc) >"$out/build.log" 2>&1; then
    tail -n 60 "$out/build.log" >&2
    echo "builddeb.sh: dpkg-buildpackage failed, the whole log is $out/build.log" >&2
    exit 1
fi
mv "$work"/pemtos_"$version"* "$out"/
rm -rf "$work"
