// SPDX-License-Identifier: MIT
// The Win32 backend's window-free parts: the choice of faces and the font cache.
#include "win32/fontcache.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pemtos::win32 {
namespace {

TEST(FaceChoice, InstalledFaceIsUsedAsItIsElseTheFirstInstalledStandIn)
{
    struct Case {
        const char *what;
        std::set<std::wstring> installed;
        std::u16string_view face;
        std::wstring chosen;
        int widthPercent;
    };
    const std::u16string_view gothic = u"ＭＳ Ｐゴシック";
    const std::u16string_view pop = u"HGP創英角ﾎﾟｯﾌﾟ体";
    const Case cases[] = {
        {"Japanese Windows", {L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic"}, gothic, L"ＭＳ Ｐゴシック", 100},
        {"English name only", {L"MS PGothic", L"IPAPGothic"}, gothic, L"MS PGothic", 100},
        {"Debian fonts", {L"IPAPGothic", L"Noto Sans CJK JP", L"RocknRoll One"}, gothic, L"IPAPGothic", 100},
        {"Office installed", {L"HGP創英角ﾎﾟｯﾌﾟ体", L"RocknRoll One"}, pop, L"HGP創英角ﾎﾟｯﾌﾟ体", 100},
        {"pop stand-in is set narrower", {L"RocknRoll One", L"IPAPGothic"}, pop, L"RocknRoll One", 95},
        {"no pop face at all", {L"IPAPGothic"}, pop, L"IPAPGothic", 100},
        {"unknown face", {L"IPAPGothic"}, u"Tahoma", L"IPAPGothic", 100},
        {"nothing known: GDI chooses", {}, gothic, L"ＭＳ Ｐゴシック", 100},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        const FaceChoice choice = chooseFace(
            test.face, [&test](std::wstring_view face) { return test.installed.contains(std::wstring(face)); });
        EXPECT_TRUE(choice.face == test.chosen);
        EXPECT_EQ(choice.widthPercent, test.widthPercent);
    }
}

TEST(FontCache, EachDistinctFontIsCreatedOnceAndShared)
{
    FontCache fonts(96);
    std::set<HFONT> distinct;
    for (const window::LayoutEntry &entry : window::layout())
        distinct.insert(fonts.font(entry.font));
    // The default font, 12 pt bold, 11.25 pt bold and the title's face.
    EXPECT_EQ(distinct.size(), 4U);
    EXPECT_EQ(fonts.size(), 4U);
    EXPECT_EQ(fonts.font(nullptr), fonts.font(&kDefaultFont));
    EXPECT_EQ(distinct.count(nullptr), 0U);
}

TEST(FontCache, HeightFollowsTheDpi)
{
    const window::FontEntry heading{u"ＭＳ Ｐゴシック", 1125, 700};
    for (const auto &[dpi, pixels] : {std::pair{96, 15}, std::pair{144, 23}, std::pair{192, 30}}) {
        FontCache fonts(dpi);
        LOGFONTW font{};
        ASSERT_NE(GetObjectW(fonts.font(&heading), sizeof(font), &font), 0);
        EXPECT_EQ(font.lfHeight, -pixels) << dpi << " DPI";
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    }
}

} // namespace
} // namespace pemtos::win32
