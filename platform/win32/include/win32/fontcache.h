// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pemtos::win32 {

/// The font of every control that sets none: 9 pt "ＭＳ Ｐゴシック".
inline constexpr window::FontEntry kDefaultFont{u"ＭＳ Ｐゴシック", 900, 400};

/// A face to ask GDI for, and how wide to set its letters.
struct FaceChoice {
    std::wstring face;
    int widthPercent; ///< 100: the face's own width
};

/// Whether the face named is installed.
using FaceProbe = std::function<bool(std::wstring_view face)>;

/// The face to use for `face`: itself when installed, else the first installed of
/// its free stand-ins, else itself, leaving the choice to GDI's own substitution.
FaceChoice chooseFace(std::u16string_view face, const FaceProbe &installed);

/// Whether GDI has a face of that name.
bool isFaceInstalled(std::wstring_view face);

/// The window's fonts at one DPI: each distinct font of the layout is created once,
/// shared by every control that uses it, and deleted with the cache.
class FontCache {
public:
    explicit FontCache(int dpi, FaceProbe installed = isFaceInstalled);
    ~FontCache();
    FontCache(const FontCache &) = delete;
    FontCache &operator=(const FontCache &) = delete;
    FontCache(FontCache &&) = delete;
    FontCache &operator=(FontCache &&) = delete;

    /// The font for `entry`, nullptr standing for the default font.
    [[nodiscard]] HFONT font(const window::FontEntry *entry);
    /// How many fonts have been created so far.
    [[nodiscard]] std::size_t size() const { return m_fonts.size(); }

private:
    [[nodiscard]] HFONT create(const window::FontEntry &entry) const;
    [[nodiscard]] bool isInstalled(std::wstring_view face) const;

    struct Entry {
        std::u16string_view face;
        int centiPoints;
        int weight;
        HFONT font;
    };

    int m_dpi;
    FaceProbe m_installed;
    mutable std::vector<std::pair<std::wstring, bool>> m_probed; ///< faces asked about, and the answers
    std::vector<Entry> m_fonts;
};

} // namespace pemtos::win32
