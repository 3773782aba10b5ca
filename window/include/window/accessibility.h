// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace pemtos::window {

/// What a screen reader calls the control `control` when its caption does not name
/// it: the species list, the illustrations (what each drawing shows) and the empty
/// picture and image controls. Empty for a control that its caption names, and for
/// the two output labels, which are named by the text they show.
std::u16string_view accessibleName(std::u16string_view control);

/// What a screen reader adds about the control `control`, such as what an output
/// label shows or what a command does; empty when nothing needs adding.
std::u16string_view accessibleDescription(std::u16string_view control);

} // namespace pemtos::window
