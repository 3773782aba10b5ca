// SPDX-License-Identifier: MIT
// The floor for pemtos.exe's start-up: a plain Win32 window of the same size with
// one STATIC control holding a Japanese label in the Japanese Gothic the window
// asks for, and nothing else.
#include "firstpaintloop.h"

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"PemtosBaseline";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"樹形から調べる樹木名と特徴",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 961, 653, nullptr, nullptr, instance, nullptr);
    HWND label = CreateWindowExW(0, L"STATIC", L"樹形から調べる樹木名と特徴", WS_CHILD | WS_VISIBLE, 20, 20, 400, 24,
                                 window, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(window, showCommand);
    return pemtos::bench::runUntilFirstFrame(window);
}
