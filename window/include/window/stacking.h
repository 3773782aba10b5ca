// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

namespace pemtos::window {

// Which control is seen where controls overlap: the layout table lists siblings
// from the bottom of the stack to the top.

/// Whether controls of this class are windows of their own, stacked among their
/// siblings; labels and images are drawn on their container's surface, beneath them.
bool isWindowed(ControlClass controlClass);

/// How much of `option`, in twips, the windowed controls stacked above it cover at
/// its right edge, from its top to its bottom: the strip under its illustration,
/// where none of its caption is seen. 0 for a control that is no row of the table.
int coveredStripTwips(const LayoutEntry &option);

} // namespace pemtos::window
