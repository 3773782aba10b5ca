// SPDX-License-Identifier: MIT
#include "win32/formkeyboard.h"

#include "win32/win32form.h"
#include "window/navigation.h"

namespace pemtos::win32 {

bool FormKeyboard::preTranslateMessage(const MSG &message)
{
    HWND window = m_form.window();
    if (message.message != WM_KEYDOWN || window == nullptr ||
        (message.hwnd != window && IsChild(window, message.hwnd) == FALSE))
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;

    HWND focused = GetFocus();
    const window::LayoutEntry *current = m_form.entryOf(focused);
    const std::u16string_view currentName = current != nullptr ? current->name : std::u16string_view{};
    switch (message.wParam) {
    case VK_TAB:
        focus(m_form.control(window::nextTabStop(currentName, shift).name));
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const window::LayoutEntry *option =
            window::nextOption(currentName, message.wParam == VK_LEFT || message.wParam == VK_UP);
        if (option == nullptr)
            return false;
        // The selection moves along with the focus when the option left was selected.
        const bool wasSelected = SendMessageW(focused, BM_GETCHECK, 0, 0) == BST_CHECKED;
        HWND target = m_form.control(option->name);
        focus(target);
        if (wasSelected)
            SendMessageW(target, BM_CLICK, 0, 0);
        return true;
    }
    case VK_RETURN: {
        HWND button = m_form.control(window::buttonForEnter(currentName).name);
        if (button == nullptr)
            return false;
        SendMessageW(button, BM_CLICK, 0, 0);
        return true;
    }
    default:
        return false;
    }
}

void FormKeyboard::focus(HWND control)
{
    if (control == nullptr)
        return;
    SetFocus(control);
    m_lastFocus = control;
}

void FormKeyboard::focusFirst()
{
    focus(m_form.control(window::firstTabStop().name));
}

void FormKeyboard::rememberFocus()
{
    HWND focused = GetFocus();
    if (focused != nullptr && IsChild(m_form.window(), focused) != FALSE)
        m_lastFocus = focused;
}

void FormKeyboard::restoreFocus()
{
    if (m_lastFocus != nullptr && IsWindow(m_lastFocus) != FALSE)
        focus(m_lastFocus);
    else
        focusFirst();
}

void FormKeyboard::commandFocusChanged(const window::LayoutEntry &entry, bool gained)
{
    HWND chosen = m_form.control(window::buttonForEnter(gained ? entry.name : std::u16string_view{}).name);
    for (const window::LayoutEntry &row : window::layout()) {
        if (row.controlClass != window::ControlClass::CommandButton)
            continue;
        HWND button = m_form.control(row.name);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        const DWORD type = button == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type)
            SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFFU) | type, TRUE);
    }
}

} // namespace pemtos::win32
