// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <windows.h>

namespace pemtos::win32 {

/// Creates the window and its controls as the layout table describes them: the
/// window class and style of each control class, the start of the option group, the
/// default button, each control's text, the illustration of each picture box and
/// the list's first rows.
class ControlFactory {
public:
    /// The window class of the program's window.
    static constexpr const wchar_t *kFormClassName = L"PemtosForm";
    // A fixed frame: the layout never changes, so the window is neither resized nor maximised.
    static constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    static constexpr DWORD kFormExStyle = 0;

    /// Registers the window classes, the program's window with `formProcedure` and
    /// the icon from `instance`, which also holds the bitmaps. Throws
    /// std::system_error when a class cannot be registered.
    ControlFactory(HINSTANCE instance, WNDPROC formProcedure);
    ~ControlFactory() = default;
    ControlFactory(const ControlFactory &) = delete;
    ControlFactory &operator=(const ControlFactory &) = delete;
    ControlFactory(ControlFactory &&) = delete;
    ControlFactory &operator=(ControlFactory &&) = delete;

    /// Creates the program's window from its row `entry`, hidden, `size` large, where
    /// the system places new windows; its procedure receives `creationData` with
    /// WM_NCCREATE. Throws std::system_error.
    HWND createForm(const window::LayoutEntry &entry, void *creationData, SIZE size) const;
    /// Creates the control `entry` describes in `parent`, with the window ID `id`, at
    /// `rect` for `dpi` and with `font`, beneath its siblings. Throws std::system_error.
    HWND createControl(const window::LayoutEntry &entry, HWND parent, int id, const RECT &rect, int dpi, HFONT font);

private:
    HINSTANCE m_instance;
};

} // namespace pemtos::win32
