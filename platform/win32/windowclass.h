// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// A window class with the settings every class of the program shares: its
/// procedure, the module and the arrow cursor.
inline WNDCLASSEXW windowClassFor(HINSTANCE instance, const wchar_t *name, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return windowClass;
}

/// Registers `windowClass` unless its name is registered already, as it is when
/// several windows are built in one process. Returns whether the class exists.
inline bool registerOnce(const WNDCLASSEXW &windowClass)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing) != FALSE)
        return true;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace pemtos::win32
