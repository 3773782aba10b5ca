// SPDX-License-Identifier: MIT
#pragma once

#include "win32/win32form.h"
#include "windowdriver.h"

#include <windows.h>

#include <memory>

namespace pemtos::win32 {

/// The Win32 window, in process, driven through its controls' own messages and its
/// keyboard handling, as the message loop would deliver the user's clicks and keys.
/// The error report is caught before its message box: no user is there to close it.
class Win32WindowDriver final : public behaviour::WindowDriver {
public:
    /// Opens a new window at 96 DPI.
    Win32WindowDriver();
    ~Win32WindowDriver() override;
    Win32WindowDriver(const Win32WindowDriver &) = delete;
    Win32WindowDriver &operator=(const Win32WindowDriver &) = delete;
    Win32WindowDriver(Win32WindowDriver &&) = delete;
    Win32WindowDriver &operator=(Win32WindowDriver &&) = delete;

    [[nodiscard]] Win32Form &form() { return *m_form; }
    /// The window of `control`, failing the test when there is none.
    [[nodiscard]] HWND get(std::u16string_view control) const;

    void click(std::u16string_view control) override;
    std::u16string caption(std::u16string_view label) override;
    std::vector<std::u16string> rows() override;
    int selectedRow() override;
    void selectRow(int row) override;
    std::vector<std::u16string> checkedOptions() override;
    std::u16string focused() override;
    void focus(std::u16string_view control) override;
    void press(behaviour::Key key) override;
    std::u16string defaultLookingButton() override;
    std::u16string controlAt(std::u16string_view control, int x, int y) override;
    void failOperation(int n) override;
    std::vector<std::u16string> takeErrorReports() override;
    window::Controls &controls() override { return m_form->controls(); }
    std::vector<behaviour::BuiltControl> builtControls() override;

private:
    [[nodiscard]] std::u16string nameOf(HWND control) const;
    /// The window and its controls, depth first, each container's from the bottom of the stack up.
    [[nodiscard]] std::vector<HWND> allControls() const;
    [[nodiscard]] behaviour::BuiltControl describe(HWND control) const;
    /// The controls Tab stops at, from the one focused at start.
    [[nodiscard]] std::vector<HWND> tabStops();

    std::unique_ptr<Win32Form> m_form;
    HWND m_firstFocus = nullptr;
    std::vector<std::u16string> m_reports;
};

} // namespace pemtos::win32
