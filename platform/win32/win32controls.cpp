// SPDX-License-Identifier: MIT
#include "win32/win32controls.h"

#include "win32/text.h"

#include <array>
#include <limits>

namespace pemtos::win32 {
namespace {

window::ControlError failure(window::Operation operation, std::u16string_view control)
{
    return window::ControlError{operation, std::u16string(control)};
}

std::wstring className(HWND control)
{
    std::array<wchar_t, 64> name{};
    const int length = GetClassNameW(control, name.data(), static_cast<int>(name.size()));
    return {name.data(), static_cast<std::size_t>(length > 0 ? length : 0)};
}

bool hasClass(HWND control, std::wstring_view wanted)
{
    return CompareStringOrdinal(className(control).c_str(), -1, std::wstring(wanted).c_str(), -1, TRUE) == CSTR_EQUAL;
}

LONG_PTR buttonType(HWND control)
{
    return GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
}

} // namespace

void Win32Controls::add(std::u16string_view name, HWND control)
{
    m_controls.insert_or_assign(std::u16string(name), control);
}

HWND Win32Controls::find(std::u16string_view name) const
{
    const auto found = m_controls.find(name);
    return found == m_controls.end() ? nullptr : found->second;
}

void Win32Controls::setReporter(Reporter reporter)
{
    m_reporter = std::move(reporter);
}

void Win32Controls::failOperation(int n)
{
    m_failCountdown = n;
}

HWND Win32Controls::controlFor(std::u16string_view name, Kind kind)
{
    if (m_failCountdown > 0 && --m_failCountdown == 0)
        return nullptr;
    HWND control = find(name);
    if (control == nullptr || IsWindow(control) == FALSE)
        return nullptr;
    switch (kind) {
    case Kind::Label:
        return hasClass(control, L"Static") ? control : nullptr;
    case Kind::ListBox:
        return hasClass(control, L"ListBox") ? control : nullptr;
    case Kind::OptionButton:
        return hasClass(control, L"Button") &&
                       (buttonType(control) == BS_AUTORADIOBUTTON || buttonType(control) == BS_RADIOBUTTON)
                   ? control
                   : nullptr;
    }
    return nullptr;
}

window::Status Win32Controls::setCaption(std::u16string_view label, std::u16string_view text)
{
    HWND control = controlFor(label, Kind::Label);
    if (control == nullptr || SetWindowTextW(control, toWide(text).c_str()) == FALSE)
        return failure(window::Operation::CaptionSet, label);
    return window::Done{};
}

window::Status Win32Controls::clear(std::u16string_view list)
{
    HWND control = controlFor(list, Kind::ListBox);
    if (control == nullptr)
        return failure(window::Operation::Clear, list);
    SendMessageW(control, LB_RESETCONTENT, 0, 0);
    return window::Done{};
}

window::Status Win32Controls::addItem(std::u16string_view list, std::u16string_view text)
{
    HWND control = controlFor(list, Kind::ListBox);
    // The index of a row must stay readable as a 16-bit index.
    if (control == nullptr || SendMessageW(control, LB_GETCOUNT, 0, 0) >= std::numeric_limits<std::int16_t>::max())
        return failure(window::Operation::AddItem, list);
    // The list is not sorted, so adding appends.
    const LRESULT added = SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE)
        return failure(window::Operation::AddItem, list);
    return window::Done{};
}

window::Outcome<std::int16_t> Win32Controls::listIndex(std::u16string_view list)
{
    HWND control = controlFor(list, Kind::ListBox);
    if (control == nullptr)
        return failure(window::Operation::ListIndexGet, list);
    // LB_ERR (-1) is also the answer when no row is selected.
    return static_cast<std::int16_t>(SendMessageW(control, LB_GETCURSEL, 0, 0));
}

window::Outcome<std::u16string> Win32Controls::list(std::u16string_view list, std::int16_t index)
{
    HWND control = controlFor(list, Kind::ListBox);
    if (control == nullptr || index < 0)
        return failure(window::Operation::ListGet, list);
    const LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return failure(window::Operation::ListGet, list);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR)
        return failure(window::Operation::ListGet, list);
    text.resize(static_cast<std::size_t>(copied));
    return toUtf16(text);
}

window::Outcome<bool> Win32Controls::value(std::u16string_view option)
{
    HWND control = controlFor(option, Kind::OptionButton);
    if (control == nullptr)
        return failure(window::Operation::ValueGet, option);
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Controls::reportError(const window::ControlError &error)
{
    if (m_reporter) {
        m_reporter(error);
        return;
    }
    // The program goes on once the report is dismissed.
    MessageBoxW(m_owner, toWide(window::errorReportText(error)).c_str(), toWide(window::errorReportTitle()).c_str(),
                MB_ICONERROR | MB_OK);
}

} // namespace pemtos::win32
