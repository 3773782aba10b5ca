// SPDX-License-Identifier: MIT
// The Win32 backend's window-free parts: the choice of faces and the font cache.
#include "win32/fontcache.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
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

// The faces each kind of system really has (Japanese ones where it has them), and
// what the window's three fonts then come out in: the Gothic of the headings and
// the default font, and the pop face of the title.
TEST(FaceChoice, EverySetupGetsAJapaneseFaceItHas)
{
    const std::set<std::wstring> windows10 = {L"Segoe UI", L"Tahoma", L"Arial", L"Yu Gothic", L"Yu Gothic UI"};
    const std::set<std::wstring> supplemental = {L"MS Gothic", L"MS PGothic", L"MS UI Gothic", L"Meiryo", L"Meiryo UI"};
    const std::set<std::wstring> japanese = {L"ＭＳ ゴシック", L"ＭＳ Ｐゴシック", L"メイリオ", L"游ゴシック"};
    const std::set<std::wstring> office = {L"HGP創英角ﾎﾟｯﾌﾟ体", L"HGPSoeiKakupoptai", L"HG創英角ﾎﾟｯﾌﾟ体"};
    const std::set<std::wstring> debian = {L"Tahoma", L"IPAGothic", L"IPAPGothic", L"RocknRoll One",
                                           L"Noto Sans CJK JP"};
    const auto all = [](std::initializer_list<std::set<std::wstring>> parts) {
        std::set<std::wstring> faces;
        for (const auto &part : parts)
            faces.insert(part.begin(), part.end());
        return faces;
    };
    struct Setup {
        const char *what;
        std::set<std::wstring> installed;
        std::wstring gothic;
        std::wstring pop;
        int popWidthPercent;
    };
    const Setup setups[] = {
        {"Japanese Windows with office fonts", all({windows10, supplemental, japanese, office}), L"ＭＳ Ｐゴシック",
         L"HGP創英角ﾎﾟｯﾌﾟ体", 100},
        {"Japanese Windows", all({windows10, supplemental, japanese}), L"ＭＳ Ｐゴシック", L"MS PGothic", 100},
        {"other Windows with the Japanese supplemental fonts", all({windows10, supplemental}), L"MS PGothic",
         L"MS PGothic", 100},
        {"other Windows 10 or 11", windows10, L"Yu Gothic UI", L"Yu Gothic UI", 100},
        {"other Windows 7 or 8.1", {L"Segoe UI", L"Tahoma", L"Meiryo", L"Meiryo UI"}, L"Meiryo UI", L"Meiryo UI", 100},
        {"Wine with the Debian fonts", debian, L"IPAPGothic", L"RocknRoll One", 95},
        {"Wine with Noto Sans CJK only",
         {L"Tahoma", L"Noto Sans CJK JP"},
         L"Noto Sans CJK JP",
         L"Noto Sans CJK JP",
         100},
    };
    for (const Setup &setup : setups) {
        SCOPED_TRACE(setup.what);
        const FaceProbe probe = [&setup](std::wstring_view face) {
            return setup.installed.contains(std::wstring(face));
        };
        EXPECT_TRUE(chooseFace(u"ＭＳ Ｐゴシック", probe).face == setup.gothic);
        const FaceChoice pop = chooseFace(u"HGP創英角ﾎﾟｯﾌﾟ体", probe);
        EXPECT_TRUE(pop.face == setup.pop);
        EXPECT_EQ(pop.widthPercent, setup.popWidthPercent);
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

TEST(FontCache, AsksAboutEachFaceOnce)
{
    std::map<std::wstring, int> asked;
    FontCache fonts(96, [&asked](std::wstring_view face) {
        ++asked[std::wstring(face)];
        return face == L"IPAPGothic";
    });
    for (const window::LayoutEntry &entry : window::layout())
        static_cast<void>(fonts.font(entry.font));
    EXPECT_FALSE(asked.empty());
    for (const auto &[face, times] : asked)
        EXPECT_EQ(times, 1) << testing::PrintToString(face);
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
