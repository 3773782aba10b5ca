// SPDX-License-Identifier: MIT
#pragma once

#include "window/colours.h"
#include "window/layout.h"

#include <windows.h>

#include <map>

namespace pemtos::win32 {

// Text and surfaces without a colour of their own keep their class's default,
// taken from the same classic scheme as the window's colours.
inline constexpr window::OleColour kButtonText = window::kSystemColourFlag | COLOR_BTNTEXT;
inline constexpr window::OleColour kButtonFace = window::kSystemColourFlag | COLOR_BTNFACE;

/// `colour` as GDI takes it.
COLORREF toColorRef(window::OleColour colour);

/// The window's solid brushes: one per colour, created when first needed and
/// deleted with the cache, once no control paints with them any more.
class BrushCache {
public:
    BrushCache() = default;
    ~BrushCache();
    BrushCache(const BrushCache &) = delete;
    BrushCache &operator=(const BrushCache &) = delete;
    BrushCache(BrushCache &&) = delete;
    BrushCache &operator=(BrushCache &&) = delete;

    /// The brush of `colour`.
    HBRUSH brush(window::OleColour colour);
    /// Fills the client area of `surface` with `colour`.
    void erase(HWND surface, HDC dc, window::OleColour colour);
    /// Sets up `dc` for the text of the control `entry` describes and returns the
    /// brush of its background; nullptr when the control keeps its class's colours.
    HBRUSH colourControl(HDC dc, const window::LayoutEntry &entry);

private:
    std::map<window::OleColour, HBRUSH> m_brushes;
};

} // namespace pemtos::win32
