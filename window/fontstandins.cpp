// SPDX-License-Identifier: MIT
#include "window/fontstandins.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pemtos::window {
namespace {

struct FaceStandIns {
    std::u16string_view face;
    std::span<const StandIn> standIns;
};

// Free faces from Debian packages: IPA P Gothic (fonts-ipafont-gothic) matches the
// proportional MS Gothic's metrics closely; RocknRoll One (fonts-rocknroll) is a
// pop display face like the title's, but with full-width kana, so it is set 5 %
// tighter to fit where the proportional original fits; Noto Sans CJK JP
// (fonts-noto-cjk) is the last resort for any missing glyph.
constexpr std::array<StandIn, 3> kGothic{{{u"MS PGothic", 100}, {u"IPAPGothic", 100}, {u"Noto Sans CJK JP", 100}}};
constexpr std::array<StandIn, 5> kPop{{{u"HGP創英角ポップ体", 100},
                                       {u"HGPSoeiKakupoptai", 100},
                                       {u"RocknRoll One", 95},
                                       {u"IPAPGothic", 100},
                                       {u"Noto Sans CJK JP", 100}}};
constexpr std::array<StandIn, 3> kAnyOther{{{u"IPAPGothic", 100}, {u"IPAGothic", 100}, {u"Noto Sans CJK JP", 100}}};

constexpr std::array<FaceStandIns, 2> kFaces{{
    {u"ＭＳ Ｐゴシック", kGothic},
    {u"HGP創英角ﾎﾟｯﾌﾟ体", kPop},
}};
static_assert(kFaces.size() == 2, "the two faces the window names");

} // namespace

std::span<const StandIn> standIns(std::u16string_view face)
{
    const auto *found =
        std::find_if(kFaces.begin(), kFaces.end(), [face](const FaceStandIns &entry) { return entry.face == face; });
    return found == kFaces.end() ? std::span<const StandIn>(kAnyOther) : found->standIns;
}

int fontPixelSize(int centiPoints)
{
    constexpr double kPixelsPerCentiPoint = 96.0 / 7200.0;
    return static_cast<int>(std::lround(centiPoints * kPixelsPerCentiPoint));
}

} // namespace pemtos::window
