// SPDX-License-Identifier: MIT
#pragma once

#include "window/controls.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace pemtos::win32 {

/// The control operations on the Win32 window, reaching controls by their design
/// names. An operation fails when the control is missing or is not of the window
/// class (and button style) that the operation belongs to.
class Win32Controls final : public window::Controls {
public:
    using Reporter = std::function<void(const window::ControlError &)>;

    Win32Controls() = default;

    /// Makes `control` reachable under the design name `name`.
    void add(std::u16string_view name, HWND control);
    /// The control registered under `name`, or nullptr.
    [[nodiscard]] HWND find(std::u16string_view name) const;
    /// The window that owns the error report's message box.
    void setOwner(HWND owner) { m_owner = owner; }

    /// Replaces the message box of the run-time error report (for tests).
    void setReporter(Reporter reporter);
    /// Makes the `n`-th operation from now (1 = the next one) fail, to exercise
    /// the error report on the real window.
    void failOperation(int n);

    window::Status setCaption(std::u16string_view label, std::u16string_view text) override;
    window::Status clear(std::u16string_view list) override;
    window::Status addItem(std::u16string_view list, std::u16string_view text) override;
    window::Outcome<std::int16_t> listIndex(std::u16string_view list) override;
    window::Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) override;
    window::Outcome<bool> value(std::u16string_view option) override;
    void reportError(const window::ControlError &error) override;

private:
    enum class Kind : std::uint8_t { Label, ListBox, OptionButton };

    HWND controlFor(std::u16string_view name, Kind kind);

    std::map<std::u16string, HWND, std::less<>> m_controls;
    HWND m_owner = nullptr;
    Reporter m_reporter;
    int m_failCountdown = 0;
};

} // namespace pemtos::win32
