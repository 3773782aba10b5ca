#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures how light the program is to start, side by side with the lightest window
# of the same toolkit, and how fast its lookups are. A measurement, not a test: it
# fails only when something cannot be built or run.
#
#   bench/run.sh [BUILD_DIR]        (./dev.sh bench installs what it needs first)
#
# BUILD_DIR defaults to build/bench; the Windows pair is built in BUILD_DIR-windows.
# PEMTOS_BENCH_RUNS sets the starts of each program per platform (default 30).
#
# The program is held to the content floor (contentfloor_firstpaint: one widget that
# draws the same first frame's texts, faces and drawings, with plain chrome), and the
# one-label window (baseline_firstpaint) is kept as a second reference. Beside it
# stands the pixel floor (pixelfloor_firstpaint: the content floor drawing the
# program's own chrome, its first frame the program's pixel for pixel), and above
# them the widget floors: the content floor's painting with real widgets only for
# the controls the keyboard, the focus and screen readers work through
# (widgetfloor_firstpaint), and with the picture boxes as widgets too
# (widgetfloor_pictures_firstpaint). Reported:
# the median time from process start to the first painted frame and the median peak
# resident memory, with the medians of the runs' paired ratios, offscreen and under
# Xvfb, and for pemtos.exe under Wine in Xvfb against its own content floor
# (contentfloor_firstpaint.exe: one window, one WM_PAINT), its window floor
# (windowfloor_firstpaint.exe: the same painting, with child windows only for the
# controls that must be windows) and the one-label window, with the requests each
# makes to the Wine server (bench/win32/serverrequests.sh);
# the instructions to the first frame under callgrind, against the budget in
# bench/firstpaint.budget (a count more than 1 % over it is called out); the Qt
# program and the pixel and widget floors against the content floor and each other; the
# binaries' sizes; the lookup micro-benchmarks; and last the ratios against the
# content floor.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build=${1:-build/bench}
windows_build=$build-windows
runs=${PEMTOS_BENCH_RUNS:-30}
jobs=$(nproc)

say() { printf '\n## %s\n\n' "$*"; }

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEMTOS_BUILD_TESTS=OFF -DPEMTOS_BENCH=ON >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
launcher=$build/bench/pemtos_startup_bench
budget_file=bench/firstpaint.budget
program=$build/bench/pemtos_firstpaint
floor=$build/bench/contentfloor_firstpaint
baseline=$build/bench/baseline_firstpaint
widget_floor=$build/bench/widgetfloor_firstpaint
widget_floor_pictures=$build/bench/widgetfloor_pictures_firstpaint
pixel_floor=$build/bench/pixelfloor_firstpaint
qt_programs=("$program" "$widget_floor_pictures" "$widget_floor" "$pixel_floor" "$floor" "$baseline")
results=$(mktemp -d)

# A display of our own for each measurement under X: -displayfd picks a free number,
# and -noreset keeps the server up between clients (by default it resets when the
# last one leaves, and refuses the next program while it does).
xvfb_pid=
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$display
    # The server has said it is ready; wait until a client gets through all the same.
    local try
    for try in 1 2 3 4 5 6 7 8 9 10; do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.5
    done
    echo "bench/run.sh: the X server at $DISPLAY does not answer" >&2
    return 1
}
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}
trap 'stop_xvfb; rm -rf "$results"' EXIT

# The median paired ratio $2 (such as "program/contentfloor_firstpaint") of time
# ($3 = 1) or peak memory ($3 = 2) in the launcher's output $1.
paired_ratio() {
    awk -v label="$2" -v column="$3" '$1 == "ratio" && $2 == label { print $(column + 2) }' "$1"
}
# The same for the program against contentfloor_firstpaint.
floor_ratio() {
    paired_ratio "$1" program/contentfloor_firstpaint "$2"
}
# The ratio of the instructions counted for the programs named $1 and $2.
instruction_ratio_of() {
    awk -v a="$(cat "$results/instructions.$1")" -v b="$(cat "$results/instructions.$2")" 'BEGIN { printf "%.3f", a / b }'
}
# Marks a ratio against the target of 1.05.
verdict() {
    awk -v ratio="$1" 'BEGIN { print (ratio <= 1.05 ? "within 1.05" : "ABOVE 1.05") }'
}

say "Machine"
echo "nproc: $(nproc)"
echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

say "Qt, offscreen: start to first frame and peak memory ($runs runs)"
QT_QPA_PLATFORM=offscreen "$launcher" "$runs" "${qt_programs[@]}" | tee "$results/offscreen"

say "Qt, under Xvfb (xcb): start to first frame and peak memory ($runs runs)"
start_xvfb
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$launcher" "$runs" "${qt_programs[@]}" | tee "$results/xvfb"
stop_xvfb

say "Qt, offscreen: instructions from start to first frame (valgrind --tool=callgrind)"
for binary in "${qt_programs[@]}"; do
    # A fixed hash seed keeps the count the same from run to run.
    count=$(QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0 valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        "$binary" 2>&1 >/dev/null | sed -n 's/.*Collected : //p')
    printf '%-32s %14s\n' "${binary##*/}" "$count"
    echo "$count" >"$results/instructions.${binary##*/}"
done
instructions=$(cat "$results/instructions.pemtos_firstpaint")
floor_instructions=$(cat "$results/instructions.contentfloor_firstpaint")
baseline_instructions=$(cat "$results/instructions.baseline_firstpaint")
instruction_ratio=$(awk -v a="$instructions" -v b="$floor_instructions" 'BEGIN { printf "%.3f", a / b }')
printf '%-32s %14s\n' "ratio program/floor" "$instruction_ratio"
printf '%-32s %14s\n' "ratio program/baseline" \
    "$(awk -v a="$instructions" -v b="$baseline_instructions" 'BEGIN { printf "%.3f", a / b }')"
budget=$(awk '$1 == "pemtos_firstpaint" { print $2 }' "$budget_file")
echo
echo "budget ($budget_file): $budget instructions; this build: $instructions"
awk -v count="$instructions" -v budget="$budget" 'BEGIN {
    over = (count - budget) * 100 / budget
    if (over > 1) printf "OVER BUDGET by %.2f %% (more than 1 %%): find what start-up does anew\n", over
    else printf "within budget (%+.2f %%)\n", over
}'

say "Qt: the program and the pixel and widget floors against the content floor"
# What the program's own chrome costs (the pixel floor: the content floor drawing
# it, its first frame the program's pixel for pixel), and what keeping the controls
# as widgets costs (the widget floors: the content floor's painting, with real
# widgets for the controls that must be widgets).
printf '%-56s %12s %9s %9s %9s %9s\n' "" "instructions" "time" "time" "peak" "peak"
printf '%-56s %12s %9s %9s %9s %9s\n' "" "(callgrind)" "offscr." "Xvfb" "offscr." "Xvfb"
for pair in pixelfloor_firstpaint/contentfloor_firstpaint widgetfloor_firstpaint/contentfloor_firstpaint \
    widgetfloor_pictures_firstpaint/contentfloor_firstpaint program/contentfloor_firstpaint \
    program/pixelfloor_firstpaint program/widgetfloor_pictures_firstpaint program/widgetfloor_firstpaint; do
    first=${pair%/*}
    [ "$first" = program ] && first=pemtos_firstpaint
    printf '%-56s %12s %9s %9s %9s %9s\n' "${first}/${pair#*/}" "$(instruction_ratio_of "$first" "${pair#*/}")" \
        "$(paired_ratio "$results/offscreen" "$pair" 1)" "$(paired_ratio "$results/xvfb" "$pair" 1)" \
        "$(paired_ratio "$results/offscreen" "$pair" 2)" "$(paired_ratio "$results/xvfb" "$pair" 2)"
done

say "Sizes in bytes"
stripped=$(mktemp)
strip -o "$stripped" "$build/platform/qt/pemtos"
printf '%-40s %10s\n' "pemtos (Qt, Release)" "$(stat -c %s "$build/platform/qt/pemtos")"
printf '%-40s %10s\n' "pemtos (Qt, Release, stripped)" "$(stat -c %s "$stripped")"
strip -o "$stripped" "$build/bench/baseline_firstpaint"
printf '%-40s %10s\n' "baseline_firstpaint (Qt, stripped)" "$(stat -c %s "$stripped")"
rm -f "$stripped"

if command -v x86_64-w64-mingw32-g++ >/dev/null && command -v wine >/dev/null; then
    cmake -S . -B "$windows_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DPEMTOS_BUILD_TESTS=OFF -DPEMTOS_BENCH=ON >/dev/null
    cmake --build "$windows_build" -j "$jobs" >/dev/null
    printf '%-40s %10s\n' "pemtos.exe (Win32, Release, stripped)" "$(stat -c %s "$windows_build/platform/win32/pemtos.exe")"
    printf '%-40s %10s\n' "baseline_firstpaint.exe (Win32)" "$(stat -c %s "$windows_build/bench/baseline_firstpaint.exe")"

    say "Win32 under Wine in Xvfb: start to first frame and peak memory ($runs runs)"
    WINEPREFIX=$(cd "$windows_build" && pwd)/wineprefix
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    start_xvfb
    # One server for all starts, so that none pays for starting it.
    wineserver -p >/dev/null 2>&1 || true
    wineboot -i >/dev/null 2>&1
    # Against the window floor (the content floor's painting, with child windows only
    # for the controls that must be windows) in its three builds, the content floor
    # (the same texts, fonts and drawings in one WM_PAINT) and the one-label window.
    win32_programs=("$windows_build/bench/pemtos_firstpaint.exe" "$windows_build/bench/windowfloor_firstpaint.exe"
        "$windows_build/bench/windowfloor_drawnpictures_firstpaint.exe"
        "$windows_build/bench/windowfloor_systemdpi_firstpaint.exe"
        "$windows_build/bench/contentfloor_firstpaint.exe" "$windows_build/bench/baseline_firstpaint.exe")
    "$launcher" "$runs" "${win32_programs[@]}" -- wine | tee "$results/wine"
    wineserver -k || true

    say "Win32 under Wine: requests to the Wine server from start to first frame"
    bench/win32/serverrequests.sh "$WINEPREFIX-requests" "${win32_programs[@]}" | tee "$results/requests"
    stop_xvfb

    say "Win32 under Wine: against the content floor (target: 1.10 or less)"
    # The paired medians of time and peak memory, and the ratio of requests.
    awk 'FNR == NR && $1 == "ratio" { time[$2] = $3; peak[$2] = $4; next }
        FNR != NR && $3 == "requests" { requests[$1] = $2 }
        END {
            floor = "contentfloor_firstpaint.exe"
            printf "%-42s %7s %7s %9s\n", "", "time", "peak", "requests"
            split("program windowfloor_firstpaint.exe windowfloor_drawnpictures_firstpaint.exe", names, " ")
            for (i = 1; i <= 3; ++i) {
                key = names[i] "/" floor
                exe = names[i] == "program" ? "pemtos_firstpaint.exe" : names[i]
                printf "%-42s %7s %7s %9.3f\n", exe " / floor", time[key], peak[key], requests[exe] / requests[floor]
            }
            key = "program/windowfloor_firstpaint.exe"
            printf "%-42s %7s %7s %9.3f\n", "pemtos_firstpaint.exe / window floor", time[key], peak[key],
                requests["pemtos_firstpaint.exe"] / requests["windowfloor_firstpaint.exe"]
        }' "$results/wine" "$results/requests"
else
    echo "(no mingw-w64 or Wine here: the Win32 pair is left out)"
fi

say "Lookups (Google Benchmark)"
"$build/bench/pemtos_lookup_bench" --benchmark_min_time=0.2

say "Against the content floor (target: 1.05 or less)"
time_offscreen=$(floor_ratio "$results/offscreen" 1)
time_xvfb=$(floor_ratio "$results/xvfb" 1)
peak_offscreen=$(floor_ratio "$results/offscreen" 2)
peak_xvfb=$(floor_ratio "$results/xvfb" 2)
printf '%-34s %7s  %s\n' "instructions (callgrind, offscreen)" "$instruction_ratio" "$(verdict "$instruction_ratio")"
printf '%-34s %7s  %s\n' "first-frame time, offscreen" "$time_offscreen" "$(verdict "$time_offscreen")"
printf '%-34s %7s  %s\n' "first-frame time, Xvfb" "$time_xvfb" "$(verdict "$time_xvfb")"
printf '%-34s %7s  %s\n' "peak RSS, offscreen" "$peak_offscreen" "$(verdict "$peak_offscreen")"
printf '%-34s %7s  %s\n' "peak RSS, Xvfb" "$peak_xvfb" "$(verdict "$peak_xvfb")"

echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
