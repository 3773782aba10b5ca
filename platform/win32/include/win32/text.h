// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pemtos::win32 {

// wchar_t is one UTF-16 code unit on Windows, so the catalogue's texts pass to the
// wide API unchanged, code unit for code unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide Win32 API takes UTF-16");

inline std::wstring toWide(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

inline std::u16string toUtf16(std::wstring_view text)
{
    return {text.begin(), text.end()};
}

/// The text `window` shows (a control's caption).
inline std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace pemtos::win32
