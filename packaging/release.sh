#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds every download of the last commit into one folder (./dev.sh release):
#
#   pemtos_<version>_amd64.deb                  the Linux program (debian/, dpkg-buildpackage)
#   pemtos-<version>-windows-x64.msi            the Windows installer
#   pemtos-<version>-windows-x64-portable.zip   pemtos.exe and its read-me, to run without installing
#   pemtos-<version>-web.zip                    the page: the static site, for any web server
#   SHA256SUMS
#
#   release.sh <checkout> <output folder>
#
# The same commit gives the same bytes wherever and whenever it is built: every
# time stored is the commit's (SOURCE_DATE_EPOCH), the build happens in a copy of
# the commit with no build folder's path in what is built, and the archives fix
# their order and modes. tools/reprotest.sh builds twice and compares.
set -euo pipefail

checkout=$(cd "$1" && pwd)
mkdir -p "$2"
dist=$(cd "$2" && pwd)
say() { printf 'release: %s\n' "$*" >&2; }

# What the archives and the compilers may see of the machine: nothing of the
# caller's locale, time zone or umask.
export LC_ALL=C.UTF-8 TZ=UTC
umask 022
SOURCE_DATE_EPOCH=$(git -C "$checkout" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
commit=$(git -C "$checkout" rev-parse HEAD)
if [ -n "$(git -C "$checkout" status --porcelain --untracked-files=no)" ]; then
    say "the checkout has changes that are not committed; the release is of $commit alone"
fi

# The commit alone, in a folder of its own beside the downloads' folder.
source=$dist.src
rm -rf "$source" "$dist"
mkdir -p "$source" "$dist"
git -C "$checkout" archive --format=tar "$commit" | tar -x -C "$source"
cd "$source"

cmake --preset dist-windows >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/dist-windows/CMakeCache.txt)
say "pemtos $version from $commit (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"

say "the .deb"
CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$source bash packaging/builddeb.sh "$source" build/deb tree
cp build/deb/pemtos_"${version}"_amd64.deb "$dist/"

say "the Windows installer and the portable .zip"
cmake --build --preset dist-windows
cpack --preset dist-windows -B "$source/build/dist-windows/packages" >/dev/null
cp build/dist-windows/packages/pemtos-"$version"-windows-x64.msi \
    build/dist-windows/packages/pemtos-"$version"-windows-x64-portable.zip "$dist/"

say "the page"
cmake --preset dist-web >/dev/null
cmake --build --preset dist-web
python3 packaging/stablezip.py "$dist/pemtos-$version-web.zip" build/dist-web/site "pemtos-$version-web"

cd "$dist"
rm -rf "$source"
sha256sum -- * >SHA256SUMS
say "every download is in $dist:"
cat SHA256SUMS >&2
