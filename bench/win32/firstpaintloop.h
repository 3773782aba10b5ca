// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::bench {

/// Runs the message loop until `window` has painted its first frame: once it is
/// shown, and neither it nor any of its controls has anything left to paint. Then
/// writes "first-paint" on the standard output and returns 0. `preTranslate`, when given, sees each message first, as
/// the program's own loop would let it.
int runUntilFirstFrame(HWND window, bool (*preTranslate)(const MSG &message) = nullptr);

} // namespace pemtos::bench
