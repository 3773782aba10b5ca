// SPDX-License-Identifier: MIT
// Which controls the window floors (Qt and Win32) make real controls of their toolkit,
// and which they paint with the window.
#pragma once

#include "window/layout.h"

namespace pemtos::bench {

/// Whether the floors' picture boxes are real, focusable controls (they are Tab stops).
enum class PictureBoxes { Painted, Controls };

/// True when `entry` must be a real control of the toolkit: one the user clicks, types
/// into or tabs to, or one of the two labels the commands write to and screen readers
/// follow; everything else is painted by the window.
constexpr bool mustBeControl(const window::LayoutEntry &entry, PictureBoxes pictureBoxes)
{
    using window::ControlClass;
    switch (entry.controlClass) {
    case ControlClass::OptionButton:
    case ControlClass::CommandButton:
    case ControlClass::ListBox:
        return true;
    case ControlClass::Label:
        return entry.name == u"Label2" || entry.name == u"Label3";
    case ControlClass::PictureBox:
        return pictureBoxes == PictureBoxes::Controls;
    case ControlClass::Form:
    case ControlClass::Frame:
    case ControlClass::Image:
        break;
    }
    return false;
}

} // namespace pemtos::bench
