// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace pemtos::window {

/// An OLE colour: a plain 0x00BBGGRR value, or a system colour index in the low
/// byte when the high bit is set.
using OleColour = std::uint32_t;

inline constexpr OleColour kSystemColourFlag = 0x80000000U;
/// COLOR_INACTIVECAPTIONTEXT: the window's common background.
inline constexpr OleColour kSystemInactiveCaptionText = kSystemColourFlag | 19U;
/// COLOR_BACKGROUND: the text of the title and the two output labels.
inline constexpr OleColour kSystemBackground = kSystemColourFlag | 1U;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend constexpr bool operator==(const Rgb &, const Rgb &) = default;
};

/// The colour an OLE colour stands for. The window's two system colours are
/// resolved against the classic scheme it was drawn in, not the desktop's current
/// one: under today's default schemes both are black, which would leave every
/// caption black on black. Other system colours also follow the classic scheme.
Rgb resolveColour(OleColour colour);

} // namespace pemtos::window
