// SPDX-License-Identifier: MIT
#include "window/colours.h"

#include <array>

namespace pemtos::window {
namespace {

// The classic Windows scheme, indexed by system colour number (COLOR_SCROLLBAR = 0
// to COLOR_MENUBAR = 30).
// clang-format off
constexpr std::array<Rgb, 31> kClassicScheme{{
    {192, 192, 192}, // 0 scroll bar
    {0, 128, 128},   // 1 desktop
    {0, 0, 128},     // 2 active caption
    {128, 128, 128}, // 3 inactive caption
    {192, 192, 192}, // 4 menu
    {255, 255, 255}, // 5 window
    {0, 0, 0},       // 6 window frame
    {0, 0, 0},       // 7 menu text
    {0, 0, 0},       // 8 window text
    {255, 255, 255}, // 9 caption text
    {192, 192, 192}, // 10 active border
    {192, 192, 192}, // 11 inactive border
    {128, 128, 128}, // 12 application workspace
    {0, 0, 128},     // 13 highlight
    {255, 255, 255}, // 14 highlight text
    {192, 192, 192}, // 15 button face
    {128, 128, 128}, // 16 button shadow
    {128, 128, 128}, // 17 grey text
    {0, 0, 0},       // 18 button text
    {192, 192, 192}, // 19 inactive caption text
    {255, 255, 255}, // 20 button highlight
    {0, 0, 0},       // 21 3D dark shadow
    {223, 223, 223}, // 22 3D light
    {0, 0, 0},       // 23 info text
    {255, 255, 225}, // 24 info background
    {180, 180, 180}, // 25 (unused)
    {0, 0, 255},     // 26 hot light
    {16, 132, 208},  // 27 gradient active caption
    {181, 181, 181}, // 28 gradient inactive caption
    {0, 0, 128},     // 29 menu highlight
    {192, 192, 192}, // 30 menu bar
}};
// clang-format on
static_assert(kClassicScheme.size() == 31);

} // namespace

Rgb resolveColour(OleColour colour)
{
    if ((colour & kSystemColourFlag) != 0) {
        const std::uint32_t index = colour & 0xFFU;
        return index < kClassicScheme.size() ? kClassicScheme[index] : Rgb{0, 0, 0};
    }
    return Rgb{static_cast<std::uint8_t>(colour & 0xFFU), static_cast<std::uint8_t>((colour >> 8U) & 0xFFU),
               static_cast<std::uint8_t>((colour >> 16U) & 0xFFU)};
}

} // namespace pemtos::window
