// SPDX-License-Identifier: MIT
// The content floor for pemtos.exe's start-up: one window of the same size that
// paints what pemtos.exe's first frame shows (every caption, label and list row in
// the same fonts, the fourteen drawings, the boxes' and buttons' outlines) in a
// single WM_PAINT, with no child windows. What pemtos.exe needs beyond this is
// the cost of how its window is put together, not of what it draws.
#include "firstpaintloop.h"
#include "win32/dpi.h"
#include "win32/fontcache.h"
#include "win32/text.h"
#include "window/colours.h"
#include "window/illustrations.h"
#include "window/layout.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

using pemtos::window::ControlClass;
using pemtos::window::LayoutEntry;

pemtos::win32::FontCache *g_fonts = nullptr;

COLORREF colourOf(pemtos::window::OleColour colour)
{
    const pemtos::window::Rgb rgb = pemtos::window::resolveColour(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

RECT pixels(const LayoutEntry &entry)
{
    const pemtos::window::Rect twips = pemtos::window::windowRectTwips(entry);
    using pemtos::win32::twipsToDevicePixels;
    return {twipsToDevicePixels(twips.left, 96), twipsToDevicePixels(twips.top, 96),
            twipsToDevicePixels(twips.left + twips.width, 96), twipsToDevicePixels(twips.top + twips.height, 96)};
}

void fill(HDC dc, const RECT &rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void text(HDC dc, const LayoutEntry &entry, RECT rect, UINT format)
{
    const std::wstring caption = pemtos::win32::toWide(entry.caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format | DT_NOPREFIX);
}

void paintControl(HDC dc, HINSTANCE instance, const LayoutEntry &entry)
{
    RECT rect = pixels(entry);
    SelectObject(dc, g_fonts->font(entry.font));
    SetTextColor(dc, colourOf(entry.foreColour.value_or(pemtos::window::kSystemColourFlag | COLOR_BTNTEXT)));
    SetBkMode(dc, TRANSPARENT);
    if (entry.backColour)
        fill(dc, rect, colourOf(*entry.backColour));
    switch (entry.controlClass) {
    case ControlClass::Frame:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
        text(dc, entry, {rect.left + 8, rect.top, rect.right, rect.bottom}, DT_SINGLELINE);
        break;
    case ControlClass::CommandButton:
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
        text(dc, entry, rect, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
        break;
    case ControlClass::OptionButton: {
        RECT mark{rect.left, rect.top + (rect.bottom - rect.top - 13) / 2, rect.left + 13, 0};
        mark.bottom = mark.top + 13;
        DrawFrameControl(dc, &mark, DFC_BUTTON, DFCS_BUTTONRADIO);
        text(dc, entry, {rect.left + 17, rect.top, rect.right, rect.bottom}, DT_VCENTER | DT_WORDBREAK);
        break;
    }
    case ControlClass::Label:
        text(dc, entry, rect, DT_WORDBREAK);
        break;
    case ControlClass::ListBox: {
        fill(dc, rect, GetSysColor(COLOR_WINDOW));
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        int top = rect.top + 2;
        // The rows that the box has room for, as the list shows them.
        for (std::u16string_view row : pemtos::window::initialRows(entry)) {
            if (top + 13 > rect.bottom - 2)
                break;
            const std::wstring line = pemtos::win32::toWide(row);
            TextOutW(dc, rect.left + 3, top, line.c_str(), static_cast<int>(line.size()));
            top += 13;
        }
        break;
    }
    case ControlClass::PictureBox:
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        if (const pemtos::window::Illustration *art = pemtos::window::findIllustration(entry.name)) {
            auto *bitmap = static_cast<HBITMAP>(
                LoadImageW(instance, MAKEINTRESOURCEW(art->resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(source, bitmap);
            BitBlt(dc, rect.left + 2, rect.top + 2, std::min<int>(art->width, rect.right - rect.left - 4),
                   std::min<int>(art->height, rect.bottom - rect.top - 4), source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
            DeleteObject(bitmap);
        }
        break;
    case ControlClass::Form:
    case ControlClass::Image:
        break;
    }
}

HINSTANCE g_instance = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        for (const LayoutEntry &entry : pemtos::window::layout()) {
            if (entry.controlClass != ControlClass::Form)
                paintControl(dc, g_instance, entry);
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    g_instance = instance;
    pemtos::win32::FontCache fonts(96);
    g_fonts = &fonts;
    const LayoutEntry &form = pemtos::window::layout().front();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground =
        CreateSolidBrush(colourOf(form.backColour.value_or(pemtos::window::kSystemColourFlag | COLOR_BTNFACE)));
    windowClass.lpszClassName = L"PemtosContentFloor";
    RegisterClassW(&windowClass);
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, pemtos::win32::twipsToDevicePixels(form.width, 96),
               pemtos::win32::twipsToDevicePixels(form.height, 96)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const std::wstring title = pemtos::win32::toWide(form.caption);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    // Ends at once after the first frame, as pemtos_firstpaint.exe does.
    ExitProcess(static_cast<UINT>(pemtos::bench::runUntilFirstFrame(window)));
}
