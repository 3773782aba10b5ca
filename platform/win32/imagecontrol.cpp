// SPDX-License-Identifier: MIT
#include "win32/imagecontrol.h"

#include "windowclass.h"

namespace pemtos::win32 {

bool ImageControl::registerClass(HINSTANCE instance)
{
    return registerOnce(windowClassFor(instance, kClassName, windowProc));
}

LRESULT CALLBACK ImageControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1; // no picture, and no background of its own
    case WM_PAINT: {
        PAINTSTRUCT paintStruct{};
        BeginPaint(window, &paintStruct);
        EndPaint(window, &paintStruct);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace pemtos::win32
