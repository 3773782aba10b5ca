// SPDX-License-Identifier: MIT
#pragma once

#include "win32/brushcache.h"
#include "win32/controlfactory.h"
#include "win32/fontcache.h"
#include "win32/formkeyboard.h"
#include "win32/win32controls.h"
#include "window/layout.h"

#include <windows.h>

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace pemtos::win32 {

/// The program's one window, built from the window's layout table: each control
/// becomes a child window placed, coloured and stacked as designed, and the two
/// command buttons run their click handlers through `controls()`. The form itself
/// dispatches the window's messages; creating the controls (ControlFactory), placing
/// them at a DPI (placement.h), the keyboard (FormKeyboard) and the brushes
/// (BrushCache) are each done apart.
class Win32Form {
public:
    static constexpr const wchar_t *kClassName = ControlFactory::kFormClassName;
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
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LONG_PTR form);

    /// Creates the control of layout row `row` in `parent`, in place and ready to show.
    void createControl(std::size_t row, HWND parent);
    void place(std::size_t row);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    /// Tells screen readers what `command`'s click handler has just shown: the
    /// description and how many species the list holds, or the species' note.
    void announceResult(const window::LayoutEntry &command);

    HWND m_window = nullptr;
    std::span<const window::LayoutEntry> m_layout;
    ControlFactory m_factory;
    std::vector<HWND> m_windows; ///< one per layout row
    int m_optionCount = 0;       ///< the tree-form options among the rows
    Win32Controls m_controls;
    BrushCache m_brushes;
    std::unique_ptr<FontCache> m_fonts;
    FormKeyboard m_keyboard{*this};
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
    bool m_endsProgram = false;
};

} // namespace pemtos::win32
