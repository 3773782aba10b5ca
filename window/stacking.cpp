// SPDX-License-Identifier: MIT
#include "window/stacking.h"

#include <algorithm>

namespace pemtos::window {

bool isWindowed(ControlClass controlClass)
{
    return controlClass != ControlClass::Label && controlClass != ControlClass::Image;
}

int coveredStripTwips(const LayoutEntry &option)
{
    const std::span<const LayoutEntry> rows = layout();
    const auto self = std::find_if(rows.begin(), rows.end(),
                                   [&option](const LayoutEntry &entry) { return entry.name == option.name; });
    if (self == rows.end())
        return 0;
    const int right = option.left + option.width;
    int visibleRight = right;
    // Later rows are stacked higher.
    for (auto above = self + 1; above != rows.end(); ++above) {
        if (above->container != option.container || !isWindowed(above->controlClass))
            continue;
        const bool spansHeight = above->top <= option.top && above->top + above->height >= option.top + option.height;
        if (spansHeight && above->left > option.left && above->left < visibleRight)
            visibleRight = above->left;
    }
    return right - visibleRight;
}

} // namespace pemtos::window
