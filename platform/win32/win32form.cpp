// SPDX-License-Identifier: MIT
#include "win32/win32form.h"

#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/imagecontrol.h"
#include "win32/optionbutton.h"
#include "win32/picturebox.h"
#include "win32/resourceids.h"
#include "win32/tabnavigation.h"
#include "win32/text.h"
#include "window/accessibility.h"
#include "window/illustrations.h"
#include "windowclass.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

namespace pemtos::win32 {
namespace {

using window::ControlClass;
using window::LayoutEntry;

// Text and surfaces without a colour of their own keep their class's default,
// taken from the same classic scheme as the window's colours.
constexpr window::OleColour kButtonText = window::kSystemColourFlag | COLOR_BTNTEXT;
constexpr window::OleColour kButtonFace = window::kSystemColourFlag | COLOR_BTNFACE;

// A fixed frame: the layout never changes, so the window is neither resized nor maximised.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;
// Siblings overlap (cmdGo over the frame, illustrations over their options), so
// every child clips what lies above it.
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

constexpr UINT_PTR kFrameSubclassId = 1;

COLORREF toColorRef(window::OleColour colour)
{
    const window::Rgb rgb = window::resolveColour(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

[[noreturn]] void throwLastError(const char *what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

struct WindowKind {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
};

WindowKind kindOf(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Frame:
        return {L"Button", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
    case ControlClass::CommandButton:
        // Captions wider than the button wrap onto further lines; focus changes are
        // reported, as the default button follows the focus.
        return {L"Button", BS_PUSHBUTTON | BS_MULTILINE | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlClass::OptionButton:
        return {L"Button", BS_AUTORADIOBUTTON | BS_MULTILINE | BS_VCENTER | WS_TABSTOP, 0};
    case ControlClass::Label:
        return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case ControlClass::ListBox:
        // Unsorted, so added rows append; exactly as high as designed.
        return {L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::PictureBox:
        return {PictureBox::kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::Image:
    case ControlClass::Form:
        break;
    }
    return {ImageControl::kClassName, 0, 0};
}

/// Whether `entry` is the first option button of its container: it starts the one
/// group that all the container's option buttons belong to.
bool startsGroup(std::span<const LayoutEntry> layout, const LayoutEntry &entry)
{
    if (entry.controlClass != ControlClass::OptionButton)
        return false;
    return std::none_of(
        layout.begin(), layout.begin() + (&entry - layout.data()), [&entry](const LayoutEntry &earlier) {
            return earlier.controlClass == ControlClass::OptionButton && earlier.container == entry.container;
        });
}

bool isCommandButton(HWND control)
{
    const auto type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    std::array<wchar_t, 16> name{};
    GetClassNameW(control, name.data(), static_cast<int>(name.size()));
    return CompareStringOrdinal(name.data(), -1, L"Button", -1, TRUE) == CSTR_EQUAL &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

Win32Form::Win32Form(HINSTANCE instance) : m_instance(instance), m_layout(window::layout())
{
    registerClasses(instance);
    m_windows.assign(m_layout.size(), nullptr);
    for (std::size_t row = 0; row < m_layout.size(); ++row) {
        const LayoutEntry &entry = m_layout[row];
        HWND created = entry.controlClass == ControlClass::Form ? createWindow(entry) : createControl(entry, row);
        m_windows[row] = created;
        m_controls.add(entry.name, created);
        if (entry.controlClass != ControlClass::Form) {
            // The layout lists siblings from the bottom of the stack to the top.
            SetWindowPos(created, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        place(row);
    }
}

Win32Form::~Win32Form()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    // Only now that no control draws with them.
    for (HBITMAP bitmap : m_bitmaps)
        DeleteObject(bitmap);
    for (const auto &[colour, brush] : m_brushes)
        DeleteObject(brush);
}

void Win32Form::registerClasses(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = windowClassFor(instance, kClassName, windowProc);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(PEMTOS_ICON_ID));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PEMTOS_ICON_ID), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (!registerOnce(windowClass) || !PictureBox::registerClass(instance) || !ImageControl::registerClass(instance))
        throwLastError("RegisterClassExW");
}

HWND Win32Form::createWindow(const LayoutEntry &entry)
{
    // Sized once its DPI is known, by place().
    HWND created =
        CreateWindowExW(kWindowExStyle, kClassName, toWide(entry.caption).c_str(), kWindowStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, m_instance, this);
    if (created == nullptr)
        throwLastError("CreateWindowExW");
    m_dpi = windowDpi(created);
    m_fonts = std::make_unique<FontCache>(m_dpi);
    m_controls.setOwner(created);
    return created;
}

HWND Win32Form::createControl(const LayoutEntry &entry, std::size_t row)
{
    const window::LayoutEntry *container = window::findControl(entry.container);
    HWND parent = container != nullptr ? control(container->name) : m_window;
    const WindowKind kind = kindOf(entry.controlClass);
    DWORD style = kChildStyle | kind.style;
    if (startsGroup(m_layout, entry))
        style |= WS_GROUP;

    if (entry.controlClass == ControlClass::CommandButton && entry.name == window::kDefaultButton)
        style = (style & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON;

    // Controls that show no text of their own carry the name a screen reader gives them.
    const bool showsText = entry.controlClass != ControlClass::PictureBox &&
                           entry.controlClass != ControlClass::Image && entry.controlClass != ControlClass::ListBox;
    const std::wstring text = toWide(showsText ? entry.caption : window::accessibleName(entry.name));
    void *creationData = nullptr;
    if (const window::Illustration *art = window::findIllustration(entry.name)) {
        auto *bitmap = static_cast<HBITMAP>(
            LoadImageW(m_instance, MAKEINTRESOURCEW(art->resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (bitmap != nullptr)
            m_bitmaps.push_back(bitmap);
        creationData = bitmap;
    }

    HWND created =
        CreateWindowExW(kind.exStyle, kind.className, text.c_str(), style, 0, 0, 0, 0, parent,
                        fromInteger<HMENU>(static_cast<INT_PTR>(kFirstControlId + row)), m_instance, creationData);
    if (created == nullptr)
        throwLastError("CreateWindowExW");

    if (entry.controlClass == ControlClass::Frame) {
        // The frame holds controls of its own: what they send their parent goes
        // on to the window, and the frame paints its own background.
        SetWindowSubclass(created, frameProc, kFrameSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    for (std::u16string_view row : window::initialRows(entry))
        SendMessageW(created, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row).c_str()));
    return created;
}

void Win32Form::place(std::size_t row)
{
    const LayoutEntry &entry = m_layout[row];
    HWND placed = m_windows[row];
    if (entry.controlClass == ControlClass::Form) {
        const int width = twipsToDevicePixels(entry.width, m_dpi);
        const int height = twipsToDevicePixels(entry.height, m_dpi);
        RECT frame{0, 0, width, height};
        clientToWindowRect(frame, kWindowStyle, kWindowExStyle, m_dpi);
        SetWindowPos(placed, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The frame actually drawn may be scaled for another DPI than the layout's
        // (before WM_DPICHANGED, or where the system does not scale it): make up
        // the difference so that the client area is exactly the designed size.
        RECT client{};
        GetClientRect(placed, &client);
        if (client.right != width || client.bottom != height) {
            SetWindowPos(placed, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                         frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    // Edges rather than sizes are scaled, so that neighbours stay flush at any DPI.
    const int left = twipsToDevicePixels(entry.left, m_dpi);
    const int top = twipsToDevicePixels(entry.top, m_dpi);
    const int right = twipsToDevicePixels(entry.left + entry.width, m_dpi);
    const int bottom = twipsToDevicePixels(entry.top + entry.height, m_dpi);
    SetWindowPos(placed, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(placed, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts->font(entry.font)), TRUE);
    if (entry.controlClass == ControlClass::OptionButton) {
        const int visibleRight =
            twipsToDevicePixels(entry.left + entry.width - OptionButton::coveredStripTwips(entry), m_dpi);
        OptionButton::attach(placed, right - visibleRight);
    }
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
    focus(control(firstTabStop().name));
    // The window opens with no option button selected, even where an option
    // button that takes the focus would select itself.
    for (std::size_t row = 0; row < m_layout.size(); ++row) {
        if (m_layout[row].controlClass == ControlClass::OptionButton &&
            SendMessageW(m_windows[row], BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            SendMessageW(m_windows[row], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Win32Form::focus(HWND control)
{
    if (control == nullptr)
        return;
    SetFocus(control);
    m_lastFocus = control;
}

void Win32Form::restoreFocus()
{
    focus(m_lastFocus != nullptr && IsWindow(m_lastFocus) != FALSE ? m_lastFocus : control(firstTabStop().name));
}

bool Win32Form::preTranslateMessage(const MSG &message)
{
    if (message.message != WM_KEYDOWN || m_window == nullptr ||
        (message.hwnd != m_window && IsChild(m_window, message.hwnd) == FALSE))
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;

    HWND focused = GetFocus();
    const LayoutEntry *current = entryOf(focused);
    const std::u16string_view currentName = current != nullptr ? current->name : std::u16string_view{};
    switch (message.wParam) {
    case VK_TAB:
        focus(control(nextTabStop(currentName, shift).name));
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const LayoutEntry *option = nextOption(currentName, message.wParam == VK_LEFT || message.wParam == VK_UP);
        if (option == nullptr)
            return false;
        // The selection moves along with the focus when the option left was selected.
        const bool wasSelected = SendMessageW(focused, BM_GETCHECK, 0, 0) == BST_CHECKED;
        HWND target = control(option->name);
        focus(target);
        if (wasSelected)
            SendMessageW(target, BM_CLICK, 0, 0);
        return true;
    }
    case VK_RETURN: {
        // A focused command button takes Enter; anywhere else it presses the default button.
        HWND button = focused != nullptr && isCommandButton(focused) ? focused : control(window::kDefaultButton);
        if (button == nullptr)
            return false;
        SendMessageW(button, BM_CLICK, 0, 0);
        return true;
    }
    default:
        return false;
    }
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
    case WM_CTLCOLORBTN:
        return controlColour(message, fromInteger<HDC>(wParam), fromInteger<HWND>(lParam));
    case WM_ERASEBKGND:
        eraseBackground(m_window, fromInteger<HDC>(wParam), m_layout.front().backColour.value_or(kButtonFace));
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focused = GetFocus();
            if (focused != nullptr && IsChild(m_window, focused) != FALSE)
                m_lastFocus = focused;
        } else if (HIWORD(wParam) == 0) {
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
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

LRESULT CALLBACK Win32Form::frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                      DWORD_PTR form)
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
            self->eraseBackground(frame, fromInteger<HDC>(wParam), entry->backColour.value_or(kButtonFace));
            return 1;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(frame, frameProc, kFrameSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

void Win32Form::onCommand(int id, int code)
{
    if (id < kFirstControlId || static_cast<std::size_t>(id - kFirstControlId) >= m_layout.size())
        return;
    const LayoutEntry &entry = m_layout[static_cast<std::size_t>(id - kFirstControlId)];
    switch (code) {
    case BN_CLICKED:
        if (entry.onClick != nullptr)
            entry.onClick(m_controls);
        break;
    case BN_SETFOCUS:
        if (entry.controlClass == ControlClass::CommandButton)
            showAsDefault(control(entry.name));
        break;
    case BN_KILLFOCUS:
        if (entry.controlClass == ControlClass::CommandButton)
            showAsDefault(control(window::kDefaultButton));
        break;
    default:
        break;
    }
}

void Win32Form::showAsDefault(HWND chosen)
{
    // The button that Enter would press has the default button's dark outline.
    for (std::size_t row = 0; row < m_layout.size(); ++row) {
        if (m_layout[row].controlClass != ControlClass::CommandButton)
            continue;
        HWND button = m_windows[row];
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        const DWORD type = button == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type)
            SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK & 0xFFFFU) | type, TRUE);
    }
}

LRESULT Win32Form::controlColour(UINT message, HDC dc, HWND control)
{
    const LayoutEntry *entry = entryOf(control);
    if (entry == nullptr || !entry->backColour)
        return DefWindowProcW(m_window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetBkColor(dc, toColorRef(*entry->backColour));
    SetTextColor(dc, toColorRef(entry->foreColour.value_or(kButtonText)));
    return reinterpret_cast<LRESULT>(brush(*entry->backColour));
}

void Win32Form::eraseBackground(HWND surface, HDC dc, window::OleColour colour)
{
    RECT client{};
    GetClientRect(surface, &client);
    FillRect(dc, &client, brush(colour));
}

HBRUSH Win32Form::brush(window::OleColour colour)
{
    auto found = m_brushes.find(colour);
    if (found == m_brushes.end())
        found = m_brushes.emplace(colour, CreateSolidBrush(toColorRef(colour))).first;
    return found->second;
}

} // namespace pemtos::win32
