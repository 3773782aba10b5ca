// SPDX-License-Identifier: MIT
#pragma once

#include "platform/colours.h"
#include "platform/controls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pemtos::window {

/// The control classes the window is made of.
enum class ControlClass : std::uint8_t { Form, Frame, CommandButton, Label, ListBox, OptionButton, PictureBox, Image };

/// A font set on a control; its character set is always SHIFTJIS_CHARSET and it
/// is never italic, underlined or struck out.
struct FontSpec {
    std::u16string_view face;
    int centiPoints; ///< size in 1/100 pt: 1125 is 11.25 pt
    int weight;      ///< 400 regular, 700 bold
};

inline constexpr int kShiftJisCharset = 128;
inline constexpr int kTwipsPerPixel = 15; ///< at 96 dots per inch

/// The command button that Enter presses wherever the focus is, unless it is on
/// another command button, which Enter then presses instead.
inline constexpr std::u16string_view kDefaultButton = u"cmdGo";

/// Called when the control is clicked.
using ClickHandler = void (*)(platform::Controls &controls);

/// One control of the window, as designed. Positions and sizes are in twips,
/// relative to the container's top-left corner.
struct ControlSpec {
    ControlClass controlClass;
    std::u16string_view name;      ///< design name; also the toolkit's object name
    std::u16string_view container; ///< design name of the container, empty for the window
    int left;
    int top;
    int width; ///< for the window: its client area
    int height;
    int tabIndex;                                  ///< -1: takes no place in the tab order
    std::u16string_view caption;                   ///< caption or window title; empty when none
    const FontSpec *font;                          ///< nullptr: the default font
    std::optional<platform::OleColour> backColour; ///< no value: the class default
    std::optional<platform::OleColour> foreColour; ///< no value: the class default
    ClickHandler onClick;                          ///< nullptr: clicking does nothing
    std::span<const std::u16string_view> rows;     ///< a list box's rows when the window opens
};

/// A rectangle in twips or pixels.
struct Rect {
    int left;
    int top;
    int width;
    int height;

    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

/// The window first, then every control after its container; siblings are listed
/// from the bottom of the stack to the top, labels and images below the windowed
/// controls, so that creating them in this order stacks them as designed.
std::span<const ControlSpec> layout();

/// The row of the control named `name`, or nullptr.
const ControlSpec *findControl(std::u16string_view name);

/// The control's rectangle in twips relative to the window's client area.
Rect windowRectTwips(const ControlSpec &control);

/// Twips to device-independent pixels.
constexpr int twipsToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

/// A rectangle in twips as device-independent pixels.
constexpr Rect toPixels(const Rect &twips)
{
    return {twipsToPixels(twips.left), twipsToPixels(twips.top), twipsToPixels(twips.width),
            twipsToPixels(twips.height)};
}

} // namespace pemtos::window
