// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <span>
#include <string_view>

namespace pemtos::window {

/// A face that stands in for one the window asks for when that one is missing.
struct StandIn {
    std::u16string_view family;
    int spacingPercent; ///< letter spacing when this face stands in; 100 keeps the face's own
};

/// The font of the window and of every control that sets none: a 9-point Japanese
/// Gothic whose line fits the 17-pixel option buttons.
inline constexpr FontEntry kDefaultFont{u"ＭＳ Ｐゴシック", 900, 400};

/// The faces tried, best first, where `face` is not installed; a face the window
/// does not know falls back to the Gothic chain.
std::span<const StandIn> standIns(std::u16string_view face);

/// A font size in 1/100 pt as whole pixels at 96 dots per inch, like the twips.
int fontPixelSize(int centiPoints);

} // namespace pemtos::window
