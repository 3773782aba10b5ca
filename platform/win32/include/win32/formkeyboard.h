// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <windows.h>

namespace pemtos::win32 {

class Win32Form;

/// The keyboard handling of the program's window that the controls do not do
/// themselves, and the focus that goes with it. Win32 would move the focus in
/// stacking order, which here runs against the tab order; the keys follow the
/// window's design instead.
class FormKeyboard {
public:
    explicit FormKeyboard(const Win32Form &form) : m_form(form) {}

    /// Tab in the layout's tab order, arrow keys among the option buttons, Enter on
    /// the focused command button or else the default one. Returns whether
    /// `message` was used up.
    bool preTranslateMessage(const MSG &message);

    /// Moves the focus to `control`, if any, and remembers it.
    void focus(HWND control);
    /// Moves the focus to the first control of the tab order.
    void focusFirst();
    /// Remembers where the focus is, as the window is deactivated.
    void rememberFocus();
    /// Gives the focus back to the control that last had it.
    void restoreFocus();
    /// Draws the button that Enter now presses with the default button's outline,
    /// after the command button `entry` gained (or lost) the focus.
    void commandFocusChanged(const window::LayoutEntry &entry, bool gained);

private:
    const Win32Form &m_form;
    HWND m_lastFocus = nullptr;
};

} // namespace pemtos::win32
