// SPDX-License-Identifier: MIT
#pragma once

#include "window/colours.h"
#include "window/controls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pemtos::window {

/// The control classes the window is made of.
enum class ControlClass : std::uint8_t { Form, Frame, CommandButton, Label, ListBox, OptionButton, PictureBox, Image };

/// A font set on a control; its character set is always SHIFTJIS_CHARSET and it
/// is never italic, underlined or struck out.
struct FontEntry {
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
using ClickHandler = void (*)(Controls &controls);

/// Gives the rows a list box holds when the window opens.
using RowSource = std::span<const std::u16string_view> (*)();

/// One control of the window, as designed. Positions and sizes are in twips,
/// relative to the container's top-left corner.
struct LayoutEntry {
    ControlClass controlClass;
    std::u16string_view name;      ///< design name; also the toolkit's object name
    std::u16string_view container; ///< design name of the container, empty for the window
    int left;
    int top;
    int width; ///< for the window: its client area
    int height;
    int tabIndex;                        ///< -1: takes no place in the tab order
    std::u16string_view caption;         ///< caption or window title; empty when none
    const FontEntry *font;               ///< nullptr: the default font
    std::optional<OleColour> backColour; ///< no value: the class default
    std::optional<OleColour> foreColour; ///< no value: the class default
    ClickHandler onClick;                ///< nullptr: clicking does nothing
    RowSource rows;                      ///< nullptr: the list box opens empty
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
std::span<const LayoutEntry> layout();

/// The row of the control named `name`, or nullptr.
const LayoutEntry *findControl(std::u16string_view name);

/// The rows the list box `control` holds when the window opens; none for other controls.
std::span<const std::u16string_view> initialRows(const LayoutEntry &control);

/// The control's rectangle in twips relative to the window's client area.
Rect windowRectTwips(const LayoutEntry &control);

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
