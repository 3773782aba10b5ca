#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that the release is reproducible: builds every download of the last commit
# twice (./dev.sh release, which runs packaging/release.sh), from two clones in two
# folders, minutes apart, under two umasks, locales and time zones, and compares
# the two folders file by file. diffoscope, when installed, shows where two files
# differ. Not part of CI: two releases from nothing take longer than CI may.
#
#   tools/reprotest.sh [scratch folder]      (build/reprotest by default)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
scratch=${1:-$top/build/reprotest}
rm -rf "$scratch"
mkdir -p "$scratch"
first=$scratch/first
second=$scratch/second/in/another/folder
git clone -q "$top" "$first"
git clone -q "$top" "$second"

(cd "$first" && umask 022 && env LC_ALL=C.UTF-8 TZ=UTC ./dev.sh release)
(cd "$second" && umask 077 && env -u LC_ALL LANG=C TZ=Asia/Tokyo ./dev.sh release)

status=0
names_first=$(cd "$first/build/dist" && ls)
names_second=$(cd "$second/build/dist" && ls)
if [ "$names_first" != "$names_second" ]; then
    printf 'reprotest: the two releases hold different files:\n%s\n--\n%s\n' "$names_first" "$names_second" >&2
    status=1
fi
for name in $names_first; do
    if cmp -s "$first/build/dist/$name" "$second/build/dist/$name"; then
        printf 'same       %s\n' "$name"
    else
        printf 'DIFFERENT  %s\n' "$name"
        status=1
        if command -v diffoscope >/dev/null; then
            diffoscope --text "$scratch/$name.diffoscope.txt" "$first/build/dist/$name" "$second/build/dist/$name" || true
            printf '           diffoscope: %s\n' "$scratch/$name.diffoscope.txt"
        fi
    fi
done
echo "SHA256SUMS of both:"
cat "$first/build/dist/SHA256SUMS"
[ "$status" -eq 0 ] && echo "reprotest: the two releases are identical" || echo "reprotest: the releases differ" >&2
exit "$status"
