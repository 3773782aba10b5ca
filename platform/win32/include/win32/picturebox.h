// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// The window class of the picture boxes: a sunken box in the button-face colour
/// that shows one illustration from its inner top-left corner, at the size the
/// layout gives it at the box's DPI, cut off at the right and bottom where it does
/// not fit. Denser screens get the double-size drawing (window::showsDoubleSize).
/// It takes the focus when clicked and does nothing else.
class PictureBox {
public:
    static constexpr const wchar_t *kClassName = L"PemtosPictureBox";

    /// What a box is created with, its creation parameter.
    struct Creation {
        int resourceId; ///< its drawing's bitmap (0: none), from the module given to CreateWindowExW
        int dpi;        ///< the DPI it is laid out at
    };

    /// Registers the window class once per process. A box is created with a
    /// Creation as its creation parameter (none: no drawing, at 96 DPI).
    static bool registerClass(HINSTANCE instance);

    /// Sets the DPI the box is laid out at, which chooses and scales its drawing.
    static void setDpi(HWND box, int dpi);

    /// The bitmap that `box` shows at its DPI, read on first use; nullptr when none.
    [[nodiscard]] static HBITMAP bitmap(HWND box);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void paint(HWND window, HDC target);
};

} // namespace pemtos::win32
