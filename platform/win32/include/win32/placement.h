// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <windows.h>

namespace pemtos::win32 {

// Where the window and its controls lie at a given DPI: the layout's twips in
// device pixels, so that the window keeps its design on every monitor.

/// Sizes the program's window `form` so that its client area is the size of its row
/// `entry` at `dpi`, whatever the system scales its frame for.
void placeForm(HWND form, const window::LayoutEntry &entry, int dpi);

/// Places `control` where its row `entry` puts it at `dpi`, with `font`; an option
/// button's caption then wraps short of the strip its illustration covers, and a
/// picture box draws for `dpi`.
void placeControl(HWND control, const window::LayoutEntry &entry, int dpi, HFONT font);

} // namespace pemtos::win32
