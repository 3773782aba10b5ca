// SPDX-License-Identifier: MIT
#include "win32/dpi.h"

namespace pemtos::win32 {
namespace {

// The DPI functions of Windows 10 are looked up at run time so that the program
// still starts where they are missing.
template <typename Function> Function user32Function(const char *name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

int screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

} // namespace

int systemDpi()
{
    using GetForSystem = UINT(WINAPI *)();
    static const auto getForSystem = user32Function<GetForSystem>("GetDpiForSystem");
    if (getForSystem != nullptr) {
        if (const UINT dpi = getForSystem(); dpi != 0)
            return static_cast<int>(dpi);
    }
    return screenDpi();
}

void declarePerMonitorDpiAwareness()
{
    using SetContext = BOOL(WINAPI *)(DPI_AWARENESS_CONTEXT);
    if (const auto setContext = user32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        // Fails harmlessly when the manifest has declared it already.
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) == FALSE)
            setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
        return;
    }
    using SetAware = BOOL(WINAPI *)();
    if (const auto setAware = user32Function<SetAware>("SetProcessDPIAware"))
        setAware();
}

int windowDpi(HWND window)
{
    using GetForWindow = UINT(WINAPI *)(HWND);
    static const auto getForWindow = user32Function<GetForWindow>("GetDpiForWindow");
    if (getForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getForWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    }
    return screenDpi();
}

void clientToWindowRect(RECT &rect, DWORD style, DWORD exStyle, int dpi)
{
    using AdjustForDpi = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = user32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE)
        return;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

} // namespace pemtos::win32
