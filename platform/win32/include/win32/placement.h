// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <windows.h>

namespace pemtos::win32 {

// Where the window and its controls lie at a given DPI: the layout's twips in
// device pixels, so that the window keeps its design on every monitor.

/// The size of the program's window whose client area is the size of its row `entry`
/// at `dpi`.
SIZE formSize(const window::LayoutEntry &entry, int dpi);
/// Sizes the program's window `form` so that its client area is the size of its row
/// `entry` at `dpi`, whatever the system scales its frame for; leaves it when it is.
void placeForm(HWND form, const window::LayoutEntry &entry, int dpi);

/// Where the row `entry` puts its control at `dpi`, in its container's client pixels.
RECT controlRect(const window::LayoutEntry &entry, int dpi);
/// How many pixels at the right of the option button `entry` the controls above it
/// cover at `dpi`.
int coveredWidth(const window::LayoutEntry &entry, int dpi);
/// Places `control` where its row `entry` puts it at `dpi`, with `font`; an option
/// button's caption then wraps short of the strip its illustration covers, and a
/// picture box draws for `dpi`. With `redraw`, what changed is painted again at once.
void placeControl(HWND control, const window::LayoutEntry &entry, int dpi, HFONT font, bool redraw);

} // namespace pemtos::win32
