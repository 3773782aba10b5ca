// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <span>
#include <string_view>

namespace pemtos::window {

// How the keyboard moves through the window: the focus follows the tab indexes of
// the layout table, whatever order the toolkit keeps its controls in.

/// Whether controls of this class take the focus (frames, labels and images never do,
/// though frames and labels hold a place in the tab order).
bool takesFocus(ControlClass controlClass);

/// The controls that take the focus, in tab order.
std::span<const LayoutEntry *const> tabStops();

/// The control that has the focus when the window opens.
const LayoutEntry &firstTabStop();

/// The control that Tab (or Shift+Tab when `backwards`) moves the focus to from the
/// control named `current`, wrapping around; from anything else (the window itself,
/// nothing) the first (or last) one.
const LayoutEntry &nextTabStop(std::u16string_view current, bool backwards);

/// The option button that an arrow key moves to from the option button `current`:
/// the next (or previous) option button of its container in tab order, across rows
/// and wrapping around; nullptr when `current` is not an option button.
const LayoutEntry *nextOption(std::u16string_view current, bool backwards);

/// Whether `entry` is the first option button of its container in the layout table:
/// it starts the one group that all the container's option buttons belong to.
bool startsOptionGroup(const LayoutEntry &entry);

/// The command button that Enter presses while the control named `focused` has the
/// focus: that control when it is a command button, the default button otherwise.
const LayoutEntry &buttonForEnter(std::u16string_view focused);

} // namespace pemtos::window
