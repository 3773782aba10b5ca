// SPDX-License-Identifier: MIT
#pragma once

#include "web/webcontrols.h"
#include "window/layout.h"

namespace pemtos::web {

/// The window as a page: one element per control of the layout table, placed at its
/// designed rectangle where the viewport is wide enough and in one column where it
/// is not, with the two command buttons running their click handlers.
class WebForm final {
public:
    WebForm();
    WebForm(const WebForm &) = delete;
    WebForm &operator=(const WebForm &) = delete;
    WebForm(WebForm &&) = delete;
    WebForm &operator=(WebForm &&) = delete;
    ~WebForm() = default;

    /// The control operations the click handlers use on this page.
    WebControls &controls() { return m_controls; }
    /// Runs the click handler of layout entry `entry`, as a click on its control does.
    void click(int entry);
    /// Shows the output labels and the list as the window opens with them; the page
    /// clears the options itself. How a page address without a lookup is shown.
    static void reset();

    // The window's keyboard rules for the page, which names controls by their
    // position in the layout table (-1: none).

    /// The control Tab (Shift+Tab) moves the focus to from layout entry `entry`.
    static int nextTabStop(int entry, bool backwards);
    /// The option an arrow key moves to from the option of entry `entry`; -1 for none.
    static int nextOption(int entry, bool backwards);
    /// The command button Enter presses while entry `entry` has the focus.
    static int buttonForEnter(int entry);

private:
    /// Tells screen readers what the command of `handler` has just shown.
    static void announceResult(window::ClickHandler handler);

    WebControls m_controls;
};

} // namespace pemtos::web
