// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace pemtos::bench {

/// Ends the program once `window` has painted its first frame: when its first
/// paint event has been handled and every paint queued with it is done, prints
/// "first-paint <milliseconds>" on stdout and leaves the event loop with status 0.
/// The milliseconds count from PEMTOS_BENCH_T0_NS (a CLOCK_MONOTONIC stamp in
/// nanoseconds, taken by the launcher just before it started the process) or,
/// without it, from the process start time the kernel keeps. With PEMTOS_BENCH_GRAB
/// set to a file name, the window is then saved there as a picture, to check that
/// the frame measured is the one the program shows.
void quitAfterFirstPaint(QWidget &window);

} // namespace pemtos::bench
