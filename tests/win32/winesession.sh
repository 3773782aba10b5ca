#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Opens and closes the session the Windows tests run in: an X server on $DISPLAY
# (Wine draws real windows), the Wine prefix $WINEPREFIX set up once, and one
# wineserver kept running for every test program instead of one start each.
#
#   winesession.sh start|stop
#
# The test preset gives DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES. An X
# server already serving $DISPLAY is used as it is and left running.
set -euo pipefail
: "${DISPLAY:?the test preset sets DISPLAY}" "${WINEPREFIX:?the test preset sets WINEPREFIX}"
pidfile=$WINEPREFIX.xvfb.pid
number=${DISPLAY#:}

case "${1:-}" in
start)
    mkdir -p "$WINEPREFIX"
    if [ ! -e "/tmp/.X11-unix/X$number" ]; then
        # -noreset: by default the server resets when its last client leaves, and
        # refuses the next test program while it does.
        Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
        echo $! >"$pidfile"
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$number" ] && break
            sleep 0.05
        done
        [ -e "/tmp/.X11-unix/X$number" ] || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
    fi
    # The server first: started after wineboot it would find wineboot's still running.
    # Nothing started here may hold on to the output: ctest waits until it is closed.
    wineserver --persistent </dev/null >/dev/null 2>&1
    wineboot --init </dev/null >/dev/null 2>&1
    # The X server has no window manager: Wine's windows are its own to place (as
    # they would be anyway), instead of waiting two seconds for a manager that never
    # answers each time a shown window is hidden or destroyed.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver --kill || true
    if [ -f "$pidfile" ]; then
        kill "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
    fi
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 64
    ;;
esac
