// SPDX-License-Identifier: MIT
// The content floor for pemtos.exe's start-up: one window of the same size that
// paints what pemtos.exe's first frame shows (every caption, label and list row in
// the same fonts, the fourteen drawings, the boxes' and buttons' outlines) in a
// single WM_PAINT, with no child windows. What pemtos.exe needs beyond this is
// the cost of how its window is put together, not of what it draws.
#include "firstpaintloop.h"
#include "floorpainting.h"
#include "win32/dpi.h"
#include "win32/fontcache.h"
#include "win32/text.h"
#include "window/layout.h"

#include <windows.h>

#include <string>

namespace {

using pemtos::window::ControlClass;
using pemtos::window::LayoutEntry;

pemtos::win32::FontCache *g_fonts = nullptr;
HINSTANCE g_instance = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        for (const LayoutEntry &entry : pemtos::window::layout()) {
            if (entry.controlClass != ControlClass::Form)
                pemtos::bench::paintFloorControl(dc, g_instance, *g_fonts, entry);
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
    windowClass.hbrBackground = CreateSolidBrush(
        pemtos::bench::colourOf(form.backColour.value_or(pemtos::window::kSystemColourFlag | COLOR_BTNFACE)));
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
