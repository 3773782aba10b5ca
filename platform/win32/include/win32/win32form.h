// SPDX-License-Identifier: MIT
#pragma once

#include "win32/fontcache.h"
#include "win32/win32controls.h"
#include "window/layout.h"

#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace pemtos::win32 {

/// The program's one window, built from the window's layout table: each control
/// becomes a child window placed, coloured and stacked as designed, and the two
/// command buttons run their click handlers through `controls()`.
class Win32Form {
public:
    static constexpr const wchar_t *kClassName = L"PemtosForm";
    /// The first control's window ID; the others follow in layout order.
    static constexpr int kFirstControlId = 1000;

    /// Creates the window and its controls, hidden. `instance` holds the icon and
    /// the illustrations' bitmaps. Throws std::system_error when a window cannot be
    /// created.
    explicit Win32Form(HINSTANCE instance);
    ~Win32Form();
    Win32Form(const Win32Form &) = delete;
    Win32Form &operator=(const Win32Form &) = delete;
    Win32Form(Win32Form &&) = delete;
    Win32Form &operator=(Win32Form &&) = delete;

    [[nodiscard]] HWND window() const { return m_window; }
    /// The window of the control named `name`, or nullptr.
    [[nodiscard]] HWND control(std::u16string_view name) const { return m_controls.find(name); }
    /// The layout row of `control`, or nullptr when it is none of this window's.
    [[nodiscard]] const window::LayoutEntry *entryOf(HWND control) const;
    /// The control operations the click handlers use on this window.
    Win32Controls &controls() { return m_controls; }

    /// Shows the window with the focus on the first control of the tab order and
    /// no option button selected.
    void show(int showCommand);
    /// Lays the window out again for `dpi`, with fonts to match.
    void applyDpi(int dpi);
    [[nodiscard]] int dpi() const { return m_dpi; }

    /// The keyboard handling that the controls do not do themselves: Tab in the
    /// layout's tab order, arrow keys among the option buttons, Enter on the focused
    /// command button or else the default one. Returns whether `message` was used up.
    bool preTranslateMessage(const MSG &message);
    /// Runs the message loop until the window is closed; returns the exit code.
    int run();

private:
    static void registerClasses(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR form);

    HWND createWindow(const window::LayoutEntry &entry);
    HWND createControl(const window::LayoutEntry &entry, std::size_t row);
    void place(std::size_t row);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    void showAsDefault(HWND chosen);
    LRESULT controlColour(UINT message, HDC dc, HWND control);
    void eraseBackground(HWND surface, HDC dc, window::OleColour colour);
    HBRUSH brush(window::OleColour colour);
    void focus(HWND control);
    void restoreFocus();

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    std::span<const window::LayoutEntry> m_layout;
    std::vector<HWND> m_windows; ///< one per layout row
    Win32Controls m_controls;
    std::vector<HBITMAP> m_bitmaps;
    std::map<window::OleColour, HBRUSH> m_brushes;
    std::unique_ptr<FontCache> m_fonts;
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
    HWND m_lastFocus = nullptr;
    bool m_endsProgram = false;
};

} // namespace pemtos::win32
