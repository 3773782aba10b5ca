// SPDX-License-Identifier: MIT
#include "win32/win32form.h"

#include "win32/accessiblecontrol.h"
#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/optionbutton.h"
#include "win32/placement.h"
#include "win32/subclass.h"
#include "win32/text.h"
#include "window/accessibility.h"
#include "window/handlers.h"
#include "window/speech.h"

#include <algorithm>
#include <utility>

namespace pemtos::win32 {
namespace {

using window::ControlClass;
using window::LayoutEntry;

/// The role the system's own object gives each control class on Windows, given
/// outright so that every system says the same; the drawings and the empty images
/// are pictures, not the plain panes the system takes windows of their classes for.
LONG roleOf(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Frame:
        return ROLE_SYSTEM_GROUPING;
    case ControlClass::CommandButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case ControlClass::OptionButton:
        return ROLE_SYSTEM_RADIOBUTTON;
    case ControlClass::Label:
        return ROLE_SYSTEM_STATICTEXT;
    case ControlClass::ListBox:
        return ROLE_SYSTEM_LIST;
    case ControlClass::PictureBox:
    case ControlClass::Image:
        return ROLE_SYSTEM_GRAPHIC;
    case ControlClass::Form:
        break;
    }
    return 0;
}

/// What Windows screen readers are told about the control `entry` describes, the
/// same as on every other system; `optionCount` is how many tree-form options the
/// window has.
AccessibleControl::Facts accessibleFacts(const LayoutEntry &entry, int optionCount)
{
    AccessibleControl::Facts facts;
    facts.role = roleOf(entry.controlClass);
    facts.name = toWide(window::accessibleName(entry.name));
    // Each option adds its height group and its drawing, which tell the two 盃状形
    // and the two 枝垂形 apart by ear.
    facts.description = entry.controlClass == ControlClass::OptionButton
                            ? toWide(window::optionDescription(entry.name))
                            : toWide(window::accessibleDescription(entry.name));
    facts.live = window::writesCaption(entry.name);
    // "n of 14", whatever else shares the options' frame.
    facts.position = window::optionPosition(entry.name);
    facts.setSize = facts.position > 0 ? optionCount : 0;
    return facts;
}

/// How many tree-form options the window `layout` describes has.
int optionCount(std::span<const LayoutEntry> layout)
{
    return static_cast<int>(std::count_if(
        layout.begin(), layout.end(), [](const LayoutEntry &entry) { return window::optionPosition(entry.name) > 0; }));
}

} // namespace

Win32Form::Win32Form(HINSTANCE instance)
    : m_layout(window::layout()), m_factory(instance, windowProc), m_optionCount(optionCount(m_layout))
{
    m_windows.assign(m_layout.size(), nullptr);
    // The layout's first row is the window; each container comes before what it holds.
    // Made at its size for the system's DPI; resized only where it opens at another.
    HWND form = m_factory.createForm(m_layout.front(), this, formSize(m_layout.front(), systemDpi()));
    m_windows.front() = form;
    m_controls.add(m_layout.front().name, form);
    m_controls.setOwner(form);
    m_dpi = windowDpi(form);
    m_fonts = std::make_unique<FontCache>(m_dpi);
    placeForm(form, m_layout.front(), m_dpi);
    // A new child window goes beneath its siblings, and the layout lists them from the
    // bottom of the stack to the top: each container's controls are created from the
    // last row up, where they stay, so that none is moved or restacked afterwards.
    for (std::size_t container = 0; container < m_layout.size(); ++container) {
        for (std::size_t row = m_layout.size() - 1; row > container; --row) {
            if (m_layout[row].container == m_layout[container].name)
                createControl(row, m_windows[container]);
        }
    }
}

void Win32Form::createControl(std::size_t row, HWND parent)
{
    const LayoutEntry &entry = m_layout[row];
    HWND created = m_factory.createControl(entry, parent, kFirstControlId + static_cast<int>(row),
                                           controlRect(entry, m_dpi), m_dpi, m_fonts->font(entry.font));
    m_windows[row] = created;
    m_controls.add(entry.name, created);
    if (entry.controlClass == ControlClass::Frame) {
        // The frame holds controls of its own: what they send their parent goes
        // on to the window, and the frame paints its own background.
        setSubclass(created, frameProc, reinterpret_cast<LONG_PTR>(this));
    }
    if (entry.controlClass == ControlClass::OptionButton)
        OptionButton::attach(created, coveredWidth(entry, m_dpi), false);
    AccessibleControl::attach(created, accessibleFacts(entry, m_optionCount));
}

Win32Form::~Win32Form()
{
    // The fonts, brushes and bitmaps go with the members, once no control draws with them.
    if (m_window != nullptr)
        DestroyWindow(m_window);
}

void Win32Form::place(std::size_t row)
{
    const LayoutEntry &entry = m_layout[row];
    if (entry.controlClass == ControlClass::Form)
        placeForm(m_windows[row], entry, m_dpi);
    else
        placeControl(m_windows[row], entry, m_dpi, m_fonts->font(entry.font), IsWindowVisible(m_window) != FALSE);
}

void Win32Form::applyDpi(int dpi)
{
    m_dpi = dpi;
    // The old fonts stay alive until every control has been given its new one.
    std::unique_ptr<FontCache> previous = std::exchange(m_fonts, std::make_unique<FontCache>(dpi));
    for (std::size_t row = 0; row < m_layout.size(); ++row)
        place(row);
    InvalidateRect(m_window, nullptr, TRUE);
}

const LayoutEntry *Win32Form::entryOf(HWND control) const
{
    const auto found = std::find(m_windows.begin(), m_windows.end(), control);
    if (control == nullptr || found == m_windows.end())
        return nullptr;
    return &m_layout[static_cast<std::size_t>(found - m_windows.begin())];
}

void Win32Form::show(int showCommand)
{
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
    m_keyboard.focusFirst();
    // The window opens with no option button selected, even where an option
    // button that takes the focus would select itself.
    for (std::size_t row = 0; row < m_layout.size(); ++row) {
        if (m_layout[row].controlClass == ControlClass::OptionButton &&
            SendMessageW(m_windows[row], BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            SendMessageW(m_windows[row], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool Win32Form::preTranslateMessage(const MSG &message)
{
    return m_keyboard.preTranslateMessage(message);
}

int Win32Form::run()
{
    m_endsProgram = true;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Win32Form *>(fromInteger<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = fromInteger<Win32Form *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return form->handleMessage(message, wParam, lParam);
}

LRESULT Win32Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const LayoutEntry *entry = entryOf(fromInteger<HWND>(lParam));
        if (HBRUSH brush = entry != nullptr ? m_brushes.colourControl(fromInteger<HDC>(wParam), *entry) : nullptr)
            return reinterpret_cast<LRESULT>(brush);
        break;
    }
    case WM_ERASEBKGND:
        m_brushes.erase(m_window, fromInteger<HDC>(wParam), m_layout.front().backColour.value_or(kButtonFace));
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            m_keyboard.rememberFocus();
        else if (HIWORD(wParam) == 0)
            m_keyboard.restoreFocus();
        return 0;
    case WM_SETFOCUS:
        m_keyboard.restoreFocus();
        return 0;
    case WM_DPICHANGED: {
        const auto *suggested = fromInteger<const RECT *>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi(LOWORD(wParam));
        return 0;
    }
    case WM_DESTROY:
        if (m_endsProgram)
            PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT Win32Form::frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LONG_PTR form)
{
    auto *self = fromInteger<Win32Form *>(form);
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (self->m_window != nullptr)
            return SendMessageW(self->m_window, message, wParam, lParam);
        break;
    case WM_ERASEBKGND:
        if (const LayoutEntry *entry = self->entryOf(frame)) {
            self->m_brushes.erase(frame, fromInteger<HDC>(wParam), entry->backColour.value_or(kButtonFace));
            return 1;
        }
        break;
    default:
        break;
    }
    return callOwnProc(frame, message, wParam, lParam);
}

void Win32Form::onCommand(int id, int code)
{
    if (id < kFirstControlId || static_cast<std::size_t>(id - kFirstControlId) >= m_layout.size())
        return;
    const LayoutEntry &entry = m_layout[static_cast<std::size_t>(id - kFirstControlId)];
    switch (code) {
    case BN_CLICKED:
        if (entry.onClick != nullptr) {
            entry.onClick(m_controls);
            announceResult(entry);
        }
        break;
    case BN_SETFOCUS:
    case BN_KILLFOCUS:
        if (entry.controlClass == ControlClass::CommandButton)
            m_keyboard.commandFocusChanged(entry, code == BN_SETFOCUS);
        break;
    default:
        break;
    }
}

void Win32Form::announceResult(const LayoutEntry &command)
{
    HWND list = m_controls.find(u"List1");
    if (command.onClick == &window::cmdGo_Click) {
        HWND description = m_controls.find(u"Label2");
        const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        AccessibleControl::announce(
            description, toWide(window::treeFormAnnouncement(toUtf16(windowText(description)), count > 0 ? count : 0)));
    } else if (command.onClick == &window::command1_Click) {
        HWND note = m_controls.find(u"Label3");
        const bool rowSelected = SendMessageW(list, LB_GETCURSEL, 0, 0) >= 0;
        AccessibleControl::announce(note,
                                    toWide(window::speciesNoteAnnouncement(toUtf16(windowText(note)), rowSelected)));
    }
}

} // namespace pemtos::win32
