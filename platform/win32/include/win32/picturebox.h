// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// The window class of the picture boxes: a sunken box in the button-face colour
/// that shows one bitmap at natural size from its inner top-left corner, cut off
/// at the right and bottom where it does not fit. It takes the focus when clicked
/// and does nothing else.
class PictureBox {
public:
    static constexpr const wchar_t *kClassName = L"PemtosPictureBox";

    /// Registers the window class once per process. A box is created with the
    /// bitmap to show (or nullptr) as its creation parameter; the creator keeps
    /// the bitmap and deletes it after the box.
    static bool registerClass(HINSTANCE instance);

    /// The bitmap that `box` shows, or nullptr.
    [[nodiscard]] static HBITMAP bitmap(HWND box);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void paint(HWND window);
};

} // namespace pemtos::win32
