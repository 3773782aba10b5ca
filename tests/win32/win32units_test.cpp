// SPDX-License-Identifier: MIT
// The Win32 backend's window-free parts: keyboard order, covered captions, faces.
#include "win32/fontcache.h"
#include "win32/optionbutton.h"
#include "win32/tabnavigation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace pemtos::win32 {
namespace {

std::string narrow(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

// Every control that takes the focus, by tab index; frames and labels hold places
// in between but are skipped.
const std::vector<std::u16string_view> kTabOrder = {
    u"optUran", u"optNuman",  u"optRera",  u"cmdGo",     u"Picture1", u"Picture2",  u"Option1",  u"Option2",
    u"Option3", u"Option4",   u"Picture3", u"Picture4",  u"Picture5", u"Picture6",  u"Picture7", u"Picture8",
    u"List1",   u"Option5",   u"Command1", u"Option6",   u"Picture9", u"Picture10", u"Option7",  u"Picture11",
    u"Option8", u"Picture12", u"Option9",  u"Picture13", u"Option10", u"Picture14", u"Option11", u"Picture15",
};

TEST(TabNavigation, TabVisitsEveryFocusableControlInTabIndexOrderAndWraps)
{
    EXPECT_EQ(firstTabStop().name, u"optUran");
    std::u16string_view current = firstTabStop().name;
    for (std::size_t step = 1; step <= kTabOrder.size(); ++step) {
        current = nextTabStop(current, false).name;
        EXPECT_EQ(narrow(current), narrow(kTabOrder[step % kTabOrder.size()])) << "after step " << step;
    }
}

TEST(TabNavigation, ShiftTabRetracesTabBackwards)
{
    for (std::size_t index = 0; index < kTabOrder.size(); ++index) {
        const std::u16string_view previous = kTabOrder[(index + kTabOrder.size() - 1) % kTabOrder.size()];
        EXPECT_EQ(narrow(nextTabStop(kTabOrder[index], true).name), narrow(previous));
    }
}

TEST(TabNavigation, FromAControlThatTakesNoFocusStartsAtEitherEnd)
{
    for (std::u16string_view outside : {u"", u"Form1", u"Frame2", u"Label3", u"Image1", u"NoSuchControl"}) {
        SCOPED_TRACE(narrow(outside));
        EXPECT_EQ(nextTabStop(outside, false).name, u"optUran");
        EXPECT_EQ(nextTabStop(outside, true).name, u"Picture15");
    }
}

TEST(TabNavigation, ArrowKeysStayAmongTheOptionButtonsAcrossAllThreeRows)
{
    struct Case {
        std::u16string_view from;
        bool backwards;
        std::u16string_view to;
    };
    // clang-format off
    const Case cases[] = {
        {u"optUran",  false, u"optNuman"},
        {u"Option4",  false, u"Option5"},  // tab index 10, then 19: pictures and buttons skipped
        {u"Option5",  false, u"Option6"},  // from the tall rows into the medium/low row
        {u"Option11", false, u"optUran"},  // wraps
        {u"optUran",  true,  u"Option11"},
        {u"Option6",  true,  u"Option5"},
    };
    // clang-format on
    for (const Case &test : cases) {
        SCOPED_TRACE(narrow(test.from));
        const window::LayoutEntry *next = nextOption(test.from, test.backwards);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(narrow(next->name), narrow(test.to));
    }
    for (std::u16string_view notAnOption : {u"cmdGo", u"Picture1", u"List1", u"Label2", u"NoSuchControl"})
        EXPECT_EQ(nextOption(notAnOption, false), nullptr) << narrow(notAnOption);
}

TEST(OptionButtonCaption, CoveredStripIsWhereTheIllustrationAboveOverlapsTheOption)
{
    // clang-format off
    const std::pair<std::u16string_view, int> covered[] = {
        {u"optUran", 375}, {u"optNuman", 255}, {u"Option4", 255}, {u"optRera", 135}, {u"Option6", 135},
        {u"Option1", 15}, {u"Option2", 15}, {u"Option3", 15}, {u"Option10", 15},
        {u"Option5", 0}, {u"Option7", 0}, {u"Option8", 0}, {u"Option9", 0}, {u"Option11", 0},
    };
    // clang-format on
    for (const auto &[option, twips] : covered) {
        const window::LayoutEntry *entry = window::findControl(option);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(OptionButton::coveredStripTwips(*entry), twips) << narrow(option);
    }
}

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
