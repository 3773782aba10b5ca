// SPDX-License-Identifier: MIT
#include "platform/win32/imagecontrol.h"

namespace pemtos::win32 {

bool ImageControl::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, kClassName, &existing) != FALSE)
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
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
