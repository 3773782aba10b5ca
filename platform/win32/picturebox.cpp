// SPDX-License-Identifier: MIT
#include "win32/picturebox.h"

#include "windowclass.h"

#include "win32/brushcache.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/resourceids.h"
#include "window/illustrations.h"

#include <memory>

namespace pemtos::win32 {
namespace {

/// What one box keeps: its drawing's resource number (0: none) and module, the DPI
/// it is laid out at, and the bitmaps read so far (each at most once, when first shown).
struct BoxState {
    int resourceId = 0;
    HINSTANCE module = nullptr;
    int dpi = kDefaultDpi;
    HBITMAP natural = nullptr;
    HBITMAP doubleSize = nullptr;
};

BoxState *state(HWND box)
{
    return fromInteger<BoxState *>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

bool showsDoubleSize(const BoxState &box)
{
    return window::showsDoubleSize(static_cast<double>(box.dpi) / kDefaultDpi);
}

HBITMAP load(HINSTANCE module, int resourceId)
{
    return static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

bool PictureBox::registerClass(HINSTANCE instance)
{
    // A picture box keeps its class's default background, the button face: one
    // brush for the life of the process, as long as the class lives.
    static HBRUSH background = CreateSolidBrush(toColorRef(kButtonFace));
    WNDCLASSEXW windowClass = windowClassFor(instance, kClassName, windowProc);
    windowClass.hbrBackground = background;
    return registerOnce(windowClass);
}

void PictureBox::setDpi(HWND box, int dpi)
{
    if (BoxState *shown = state(box); shown != nullptr && shown->dpi != dpi) {
        shown->dpi = dpi;
        InvalidateRect(box, nullptr, TRUE);
    }
}

HBITMAP PictureBox::bitmap(HWND box)
{
    BoxState *shown = state(box);
    if (shown == nullptr || shown->resourceId == 0)
        return nullptr;
    if (showsDoubleSize(*shown)) {
        if (shown->doubleSize == nullptr)
            shown->doubleSize = load(shown->module, shown->resourceId + PEMTOS_DOUBLE_SIZE_ART_OFFSET);
        if (shown->doubleSize != nullptr)
            return shown->doubleSize;
    }
    if (shown->natural == nullptr)
        shown->natural = load(shown->module, shown->resourceId);
    return shown->natural;
}

LRESULT CALLBACK PictureBox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const auto *create = fromInteger<const CREATESTRUCTW *>(lParam);
        auto created = std::make_unique<BoxState>();
        if (const auto *creation = static_cast<const Creation *>(create->lpCreateParams)) {
            created->resourceId = creation->resourceId;
            created->dpi = creation->dpi;
        }
        created->module = create->hInstance;
        // The window owns its state from here; WM_NCDESTROY deletes it.
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created.release()));
        break;
    }
    case WM_NCDESTROY: {
        BoxState *shown = state(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (shown != nullptr) {
            DeleteObject(shown->natural);
            DeleteObject(shown->doubleSize);
            delete shown;
        }
        break;
    }
    case WM_PAINT: {
        PAINTSTRUCT paintStruct{};
        HDC target = BeginPaint(window, &paintStruct);
        paint(window, target);
        EndPaint(window, &paintStruct);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(window, fromInteger<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    default:
        break;
    }
    // The analyzer loses the state made at WM_NCCREATE in the window's user data,
    // where WM_NCDESTROY finds and deletes it.
    return DefWindowProcW(window, message, wParam, lParam); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
}

void PictureBox::paint(HWND window, HDC target)
{
    HBITMAP shown = bitmap(window);
    BITMAP size{};
    if (shown == nullptr || GetObjectW(shown, sizeof(size), &size) == 0)
        return;
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, shown);
    // The drawing takes the size the layout gives it at this DPI: one bitmap pixel
    // per pixel at 96 DPI (natural drawing) and 192 DPI (double size); in between
    // and beyond it is scaled, smoothly. The client area clips it.
    const int dpi = state(window)->dpi;
    const int drawnAt =
        showsDoubleSize(*state(window)) && shown == state(window)->doubleSize ? 2 * kDefaultDpi : kDefaultDpi;
    if (dpi == drawnAt) {
        BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, 0, 0, MulDiv(size.bmWidth, dpi, drawnAt), MulDiv(size.bmHeight, dpi, drawnAt), source, 0, 0,
                   size.bmWidth, size.bmHeight, SRCCOPY);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace pemtos::win32
