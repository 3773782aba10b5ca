// SPDX-License-Identifier: MIT
#include "win32/picturebox.h"

#include "windowclass.h"

#include "win32/brushcache.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace pemtos::win32 {

bool PictureBox::registerClass(HINSTANCE instance)
{
    // A picture box keeps its class's default background, the button face: one
    // brush for the life of the process, as long as the class lives.
    static HBRUSH background = CreateSolidBrush(toColorRef(kButtonFace));
    WNDCLASSEXW windowClass = windowClassFor(instance, kClassName, windowProc);
    windowClass.hbrBackground = background;
    return registerOnce(windowClass);
}

HBITMAP PictureBox::bitmap(HWND box)
{
    return fromInteger<HBITMAP>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

LRESULT CALLBACK PictureBox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const auto *create = fromInteger<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PictureBox::paint(HWND window)
{
    PAINTSTRUCT paintStruct{};
    HDC target = BeginPaint(window, &paintStruct);
    HBITMAP shown = bitmap(window);
    BITMAP size{};
    if (shown != nullptr && GetObjectW(shown, sizeof(size), &size) != 0) {
        HDC source = CreateCompatibleDC(target);
        HGDIOBJ previous = SelectObject(source, shown);
        // One bitmap pixel per pixel at 96 DPI; on denser screens the drawing grows
        // with the layout so that it keeps filling its box. The client area clips it.
        const int dpi = windowDpi(window);
        if (dpi == kDefaultDpi) {
            BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(target, HALFTONE);
            SetBrushOrgEx(target, 0, 0, nullptr);
            StretchBlt(target, 0, 0, MulDiv(size.bmWidth, dpi, kDefaultDpi), MulDiv(size.bmHeight, dpi, kDefaultDpi),
                       source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        }
        SelectObject(source, previous);
        DeleteDC(source);
    }
    EndPaint(window, &paintStruct);
}

} // namespace pemtos::win32
