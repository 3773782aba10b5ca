// SPDX-License-Identifier: MIT
#pragma once

#include "win32/fontcache.h"
#include "window/colours.h"
#include "window/layout.h"

#include <windows.h>

namespace pemtos::bench {

/// `colour` as GDI takes it.
COLORREF colourOf(window::OleColour colour);

/// `entry`'s rectangle in the window's client area at 96 DPI.
RECT floorRect(const window::LayoutEntry &entry);

/// Paints the control `entry` as it looks in the first frame, straight onto the
/// window's DC: its background, outline, text in its font from `fonts`, a list's
/// visible rows, a picture box's drawing from `instance`'s bitmaps.
void paintFloorControl(HDC dc, HINSTANCE instance, win32::FontCache &fonts, const window::LayoutEntry &entry);

} // namespace pemtos::bench
