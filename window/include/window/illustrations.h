// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace pemtos::window {

/// The drawing of one tree form, shown by a picture box at natural size from its
/// inner top-left corner. Bitmaps are 24-bit BMP files under window/art/, each
/// with a drawing of twice the size beside it ("@2x") for high-density screens.
struct Illustration {
    std::u16string_view picture; ///< design name of the picture box
    std::u16string_view option;  ///< the option button it illustrates
    std::string_view file;       ///< base name of the bitmap, e.g. "picture1"
    int resourceId;              ///< bitmap resource number in the Windows build
    int width;                   ///< bitmap size in pixels
    int height;
    std::u16string_view description; ///< what the drawing shows, for screen readers
};

/// Whether a screen of `pixelRatio` device pixels per layout pixel shows the
/// double-size drawings, scaled down where the ratio is below 2, rather than the
/// natural ones scaled up: on every screen denser than the layout's.
constexpr bool showsDoubleSize(double pixelRatio)
{
    return pixelRatio > 1.0;
}

/// The fourteen illustrations, in tree-form order.
std::span<const Illustration> illustrations();

/// The illustration shown by the picture box `picture`, or nullptr (Picture9 has none).
const Illustration *findIllustration(std::u16string_view picture);

} // namespace pemtos::window
