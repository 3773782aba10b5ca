#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows packages, end to end under Wine in a fresh prefix: cpack builds the
# MSI (twice, which must give the same bytes; once with other content at the same
# version; once as a higher version) and the portable .zip; then silent install,
# what it left checked and the installed program driven (installcheck.exe), the same
# package over itself, the one with other content over it, the upgrade, silent
# uninstall, and nothing left behind.
#
#   installer_test.sh <build dir> <installcheck.exe> <higher version>
#
# Needs an X display (Xvfb in CI) for the program's window.
set -euo pipefail

build=$(cd "$1" && pwd)
check=$2
higher=$3
work=$build/installer-test
rm -rf "$work"
mkdir -p "$work"

export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No Mono or Gecko prompts; no desktop menu entries on the host for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

fail() {
    echo "installer_test: $*" >&2
    exit 1
}

# Packages: the project's version, packed twice; the same version with other content
# (another publisher's name); the same build labelled with a higher version. Every
# time in them is this one, as a release takes its commit's.
export SOURCE_DATE_EPOCH=1796774400
cpack --config "$build/CPackConfig.cmake" -B "$work/current" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
cpack --config "$build/CPackConfig.cmake" -G External -B "$work/again" >>"$work/cpack.log" 2>&1 ||
    fail "cpack (again) failed: $(cat "$work/cpack.log")"
cpack --config "$build/CPackConfig.cmake" -G External -D CPACK_PACKAGE_VENDOR="Another pemtos publisher" \
    -B "$work/other" >>"$work/cpack.log" 2>&1 || fail "cpack (other content) failed: $(cat "$work/cpack.log")"
cpack --config "$build/CPackConfig.cmake" -G External -D CPACK_PACKAGE_VERSION="$higher" -B "$work/higher" \
    >>"$work/cpack.log" 2>&1 || fail "cpack (version $higher) failed: $(cat "$work/cpack.log")"
current_msi=$(echo "$work"/current/*.msi)
other_msi=$(echo "$work"/other/*.msi)
higher_msi=$(echo "$work"/higher/*.msi)
zip=$(echo "$work"/current/*-portable.zip)

# The same build packed again is the same package, byte for byte; other content is
# another product and another package.
cmp "$current_msi" "$(echo "$work"/again/*.msi)" || fail "the MSI packed twice differs"

property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
version=$(property "$current_msi" ProductVersion)
upgrade_code=$(property "$current_msi" UpgradeCode)
[ "$(property "$higher_msi" UpgradeCode)" = "$upgrade_code" ] || fail "the two packages differ in UpgradeCode"
[ "$(property "$other_msi" ProductCode)" != "$(property "$current_msi" ProductCode)" ] ||
    fail "a package with other content has the same ProductCode"

# The portable .zip: the program and the read-me, in one folder.
listing=$(unzip -Z1 "$zip" | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
[ "$listing" = "pemtos.exe readme.txt " ] || fail "the .zip holds: $listing"

wine_run() { wine "$@" </dev/null; }
msiexec() {
    local status=0
    wine_run msiexec "$@" || status=$?
    [ "$status" -eq 0 ] || fail "msiexec $* exited with $status"
}
# The prefix's files and registry keys. Left out: the network cards, which Wine
# lists afresh when it starts, and the roots of Windows Installer's own records,
# which a Windows system always has and Wine creates with the first package (what
# the installer records below them is kept in).
snapshot() {
    wineserver -w
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)
    grep -h '^\[' "$WINEPREFIX"/system.reg "$WINEPREFIX"/user.reg | sed 's/\] [0-9]*$/]/' |
        grep -Ev '\\\\NetworkCards\]$|\\\\Installer\\\\(Features|Products|UpgradeCodes)\]$|\\\\Installer\\\\UserData\\\\S-1-5-18\\\\(Components|Products)\]$' |
        sort
}

wineboot -i >/dev/null 2>&1
snapshot >"$work/before.txt"

msiexec /i "$current_msi" /qn
wine_run "$check" installed "$upgrade_code" "$version" || fail "after installing $version"

msiexec /i "$current_msi" /qn
wine_run "$check" installed "$upgrade_code" "$version" || fail "after installing $version again"

# A package of the same version with other content is a new product, which replaces the old.
msiexec /i "$other_msi" /qn
wine_run "$check" installed "$upgrade_code" "$version" || fail "after installing other content at $version"

msiexec /i "$higher_msi" /qn
wine_run "$check" installed "$upgrade_code" "$higher" || fail "after upgrading to $higher"

msiexec /x "$higher_msi" /qn
wine_run "$check" removed "$upgrade_code" || fail "after uninstalling"

snapshot >"$work/after.txt"
if ! diff "$work/before.txt" "$work/after.txt" >"$work/left.txt"; then
    fail "left behind or removed by install and uninstall: $(cat "$work/left.txt")"
fi
echo "installer_test: $version packed twice alike, installed, reinstalled, replaced by other content, upgraded to $higher and uninstalled"
