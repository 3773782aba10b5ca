#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves debian/ whole: in a fresh Debian 12 root (debootstrap) that holds only what
# `apt-get build-dep` reads from debian/control, builds the source package and the
# .deb of the last commit with dpkg-buildpackage, checks both with lintian (no error
# or warning), and runs the package's autopkgtest (debian/tests) on the built .deb in
# that root. Needs root, debootstrap, autopkgtest, lintian and Debian's mirror; not
# part of CI (a fresh root alone takes minutes).
#
#   tools/debian-fresh-root.sh [root folder]     (build/debian-root by default)
#
# An existing root folder is used again as it is (skip debootstrap); remove it for
# a fresh one.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=${1:-$top/build/debian-root}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
say() { printf 'debian-fresh-root: %s\n' "$*" >&2; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
    say "debootstrap into $root"
    debootstrap --variant=buildd bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { tail -20 "$root.debootstrap.log" >&2; exit 1; }
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

mounted=()
cleanup() {
    local point
    for point in "${mounted[@]}"; do umount "$point" || true; done
}
trap cleanup EXIT
mountpoint -q "$root/proc" || { mount -t proc proc "$root/proc" && mounted+=("$root/proc"); }

rm -rf "$root/build"
mkdir -p "$root/build/pemtos"
git -C "$top" archive --format=tar HEAD | tar -x -C "$root/build/pemtos"

say "apt-get build-dep, then dpkg-buildpackage -us -uc"
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    bash -euc 'apt-get update -qq
        cd /build/pemtos
        apt-get build-dep -y -qq ./ >/dev/null
        dpkg-buildpackage -us -uc' >"$root/build/build.log" 2>&1 ||
    { tail -40 "$root/build/build.log" >&2; say "the build failed: $root/build/build.log"; exit 1; }
ls -l "$root"/build/pemtos_* >&2

say "lintian on the source package and the .deb"
lintian --fail-on error,warning "$root"/build/pemtos_*.changes

say "autopkgtest in the root"
autopkgtest "$root"/build/pemtos_*.deb "$root/build/pemtos" -- chroot "$root"
