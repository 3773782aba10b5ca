#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Counts the requests each Windows program makes to the Wine server from its start to
# its first frame: the deterministic side of the start-up figures, where wall time on
# a shared machine is not.
#
#   bench/win32/serverrequests.sh PREFIX PROGRAM.exe...
#
# Needs an X server on $DISPLAY. PREFIX is a Wine prefix of its own (made when
# missing): its server is started here with request tracing (wineserver -d1) and
# stopped at the end. Each program is started once untraced, then once traced;
# printed per program: its requests in all, then the kinds it makes most.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PREFIX PROGRAM.exe..." >&2; exit 64; }
: "${DISPLAY:?an X server is needed}"
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
log=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; rm -f "$log"' EXIT

mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -f -p -d1 2>"$log" &
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
# Wine's desktop process ends a while after its last window: a window left open keeps
# it, as on a desktop in use, so that no program is counted starting it again.
wine notepad </dev/null >/dev/null 2>&1 &
sleep 2

for program in "$@"; do
    wine "$program" </dev/null >/dev/null 2>&1
    : >"$log"
    wine "$program" </dev/null >/dev/null 2>&1
    # The trace has a line "TID: request( ... )" per request; a process's first
    # thread is the one whose reply to init_first_thread names the process (other
    # threads count apart). The program is the process that makes the most requests.
    LC_ALL=C awk -v name="${program##*/}" '
        match($0, /^[0-9a-f]+: init_first_thread\(\) = 0 \{ pid=[0-9a-f]+/) {
            split($0, part, /[ =,]+/)
            for (i = 1; i in part; ++i) if (part[i] == "pid") process[substr($1, 1, length($1) - 1)] = part[i + 1]
            next
        }
        match($0, /^[0-9a-f]+: [a-z_]+\( /) {
            thread = substr($1, 1, length($1) - 1)
            owner = thread in process ? process[thread] : thread
            kind = substr($2, 1, length($2) - 1)
            ++count[owner]; ++kinds[owner SUBSEP kind]
        }
        END {
            best = 0
            for (p in count) if (count[p] > best) { best = count[p]; most = p }
            printf "%-32s %6d requests\n", name, count[most]
            for (key in kinds) {
                split(key, part, SUBSEP)
                if (part[1] == most) printf "    %-28s %6d\n", part[2], kinds[key] | "sort -k2,2nr | head -8"
            }
        }' "$log"
done
