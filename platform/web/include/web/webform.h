// SPDX-License-Identifier: MIT
#pragma once

#include "web/webcontrols.h"

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

private:
    WebControls m_controls;
};

} // namespace pemtos::web
