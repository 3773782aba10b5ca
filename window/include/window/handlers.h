// SPDX-License-Identifier: MIT
#pragma once

#include "window/controls.h"

#include <string_view>

namespace pemtos::window {

/// What the tree-form command writes into both output labels before filling them:
/// five ideographic spaces, not the empty text.
inline constexpr std::u16string_view kBlankCaption = u"\u3000\u3000\u3000\u3000\u3000";

/// Whether the click handlers write the caption of `control`: the two output labels.
bool writesCaption(std::u16string_view control);

// NOLINTBEGIN(readability-identifier-naming): named after the control and its event.

/// Click of `cmdGo`: blanks both output labels, empties the species list, then
/// shows the first selected tree form's description and species.
void cmdGo_Click(window::Controls &controls);

/// Click of `Command1`: shows the note of the species selected in the list, or the
/// empty note when no row is selected; leaves the note label alone on no match.
void command1_Click(window::Controls &controls);

// NOLINTEND(readability-identifier-naming)

} // namespace pemtos::window
