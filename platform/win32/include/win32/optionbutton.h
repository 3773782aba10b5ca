// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// Option buttons that wrap their captions within the part of them that is seen.
/// Several option buttons reach under the illustration to their right, which covers
/// that strip; the standard button would wrap the caption at its full width and
/// hide the end of the first line there. Clicking, checking and grouping stay the
/// standard button's own; only the painting is replaced.
class OptionButton {
public:
    /// Paints `option` with its caption wrapped `coveredWidth` pixels short of its
    /// right edge. Calling it again updates the width; with `redraw`, at once.
    static void attach(HWND option, int coveredWidth, bool redraw);

private:
    static LRESULT subclassProc(HWND option, UINT message, WPARAM wParam, LPARAM lParam, LONG_PTR coveredWidth);
    static void paint(HWND option, HDC dc, int coveredWidth);
};

} // namespace pemtos::win32
