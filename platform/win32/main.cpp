// SPDX-License-Identifier: MIT
#include "win32/dpi.h"
#include "win32/text.h"
#include "win32/win32form.h"
#include "window/controlerror.h"

#include <windows.h>

#include <objbase.h>

#include <exception>
#include <string>

// The system header declares the entry point with its own parameter names.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    // Before the first window, so that every window is laid out in real pixels.
    pemtos::win32::declarePerMonitorDpiAwareness();
    // A single-threaded apartment: the accessible objects handed to screen readers
    // are COM objects of this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        int exitCode = 0;
        {
            pemtos::win32::Win32Form form(instance);
            form.show(showCommand);
            exitCode = form.run();
        }
        if (SUCCEEDED(com))
            CoUninitialize();
        return exitCode;
    } catch (const std::exception &error) {
        const std::string what = error.what();
        const std::wstring text(what.begin(), what.end());
        MessageBoxW(nullptr, text.c_str(), pemtos::win32::toWide(pemtos::window::errorReportTitle()).c_str(),
                    MB_ICONERROR | MB_OK);
        return 1;
    }
}
