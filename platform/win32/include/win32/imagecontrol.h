// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// The window class of the empty image controls: it holds a place in the layout,
/// draws nothing and lets clicks through to whatever lies beneath.
class ImageControl {
public:
    static constexpr const wchar_t *kClassName = L"PemtosImage";

    /// Registers the window class once per process.
    static bool registerClass(HINSTANCE instance);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace pemtos::win32
