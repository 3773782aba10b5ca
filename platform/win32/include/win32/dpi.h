// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// The dots per inch that 1440 twips and 72 points are measured against.
inline constexpr int kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

/// Asks for per-monitor (v2) DPI awareness, so that the window is laid out in real
/// pixels on every monitor instead of being stretched by the system. Does nothing
/// on systems that predate it.
void declarePerMonitorDpiAwareness();

/// The system's DPI, at which a new window usually opens.
int systemDpi();
/// The DPI the window `window` is shown at (the system DPI on older systems).
int windowDpi(HWND window);

/// Grows `rect`, a client rectangle, to the window rectangle for the given styles at `dpi`.
void clientToWindowRect(RECT &rect, DWORD style, DWORD exStyle, int dpi);

/// `twips` as pixels at `dpi`, rounded to the nearest pixel.
inline int twipsToDevicePixels(int twips, int dpi)
{
    return MulDiv(twips, dpi, 1440);
}

} // namespace pemtos::win32
