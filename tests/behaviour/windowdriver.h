// SPDX-License-Identifier: MIT
// The window as its user sees it, the same for every backend: the behaviour suite
// (windowbehaviour.h) drives the Qt window, the Win32 window and the page through this.
#pragma once

#include "window/controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemtos::behaviour {

/// A key the keyboard rules react to.
enum class Key { Tab, Left, Right, Up, Down, Space, Enter };

/// A colour as drawn, 0xRRGGBB.
using Colour = unsigned;

/// One control as the backend actually built it, for the window's golden dump.
struct BuiltControl {
    std::string controlClass; ///< the design class: Form, Frame, Label, OptionButton ...
    std::u16string name;      ///< design name
    std::u16string container; ///< design name of the parent, empty for the window
    int left = 0;             ///< pixels from the container's top-left (the window's client area for Form1)
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
    std::u16string face; ///< the font face as designed, mapped back from what the backend asked for
    int fontPixels = 0;  ///< character height in pixels at 96 DPI; 0 when the control shows no text
    int fontWeight = 0;
    std::optional<Colour> back; ///< no value: the class's own colours
    std::optional<Colour> text;
    std::u16string caption;           ///< what it shows; window title for Form1
    std::u16string accessibleName;    ///< set where the caption does not name the control
    int tabStop = 0;                  ///< 1-based position in the Tab order, 0 when Tab never stops there
    std::vector<std::u16string> rows; ///< a list box's rows
    int drawingWidth = 0;             ///< the bitmap a picture box shows; 0 for none
    int drawingHeight = 0;
    unsigned drawingChecksum = 0; ///< FNV-1a over its pixels' red, green, blue, row by row from the top
};

/// What the user does to the window, and what the window shows back.
class WindowDriver {
public:
    WindowDriver() = default;
    virtual ~WindowDriver() = default;
    WindowDriver(const WindowDriver &) = delete;
    WindowDriver &operator=(const WindowDriver &) = delete;
    WindowDriver(WindowDriver &&) = delete;
    WindowDriver &operator=(WindowDriver &&) = delete;

    /// Clicks the control `control` with the mouse: an option button on its circle,
    /// anything else in its middle.
    virtual void click(std::u16string_view control) = 0;
    /// The caption the label `label` shows.
    virtual std::u16string caption(std::u16string_view label) = 0;
    /// The rows of the species list, in order.
    virtual std::vector<std::u16string> rows() = 0;
    /// The selected row of the species list, -1 for none.
    virtual int selectedRow() = 0;
    /// Selects row `row` of the species list as the user does (a click on it).
    virtual void selectRow(int row) = 0;
    /// The option buttons that are selected, by design name.
    virtual std::vector<std::u16string> checkedOptions() = 0;
    /// The design name of the control that has the focus, empty for none.
    virtual std::u16string focused() = 0;
    /// Gives the focus to `control`.
    virtual void focus(std::u16string_view control) = 0;
    /// Presses and releases `key` where the focus is.
    virtual void press(Key key) = 0;
    /// The command button that shows the default button's outline.
    virtual std::u16string defaultLookingButton() = 0;
    /// The design name of the control a click at (`x`, `y`) pixels from the top-left of
    /// `control` lands on: the one stacked highest there.
    virtual std::u16string controlAt(std::u16string_view control, int x, int y) = 0;

    /// Makes the `n`-th control operation from now (1 = the next one) fail.
    virtual void failOperation(int n) = 0;
    /// The run-time error reports shown (and dismissed) since the last call, each as
    /// its title, a line break and its text.
    virtual std::vector<std::u16string> takeErrorReports() = 0;
    /// The control operations of this window, as the click handlers see them.
    virtual window::Controls &controls() = 0;

    /// Every control as built, the window first, then depth first, each container's
    /// controls from the bottom of the stack to the top, at 96 DPI and ratio 1.
    virtual std::vector<BuiltControl> builtControls() = 0;
};

} // namespace pemtos::behaviour
