// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <string_view>

namespace pemtos::win32 {

// Win32 would move the focus in stacking order, which here runs against the tab
// order; the keyboard follows the layout's tab indexes instead.

/// Whether controls of this class take the focus (frames, labels and images never do).
bool takesFocus(window::ControlClass controlClass);

/// The control that Tab (or Shift+Tab when `backwards`) moves the focus to from the
/// control named `current`, wrapping around; from anything else (the window itself,
/// nothing) the first (or last) one.
const window::LayoutEntry &nextTabStop(std::u16string_view current, bool backwards);

/// The control that has the focus when the window opens.
const window::LayoutEntry &firstTabStop();

/// The option button that an arrow key moves to from the option button `current`,
/// in tab order among the option buttons of its container, wrapping around; nullptr
/// when `current` is not an option button.
const window::LayoutEntry *nextOption(std::u16string_view current, bool backwards);

} // namespace pemtos::win32
