// SPDX-License-Identifier: MIT
// The keyboard's way through the window and what the illustrations cover, as
// both backends take them from the window's design.
#include "window/navigation.h"
#include "window/stacking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemtos::window {
namespace {

std::string narrow(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

// Every control that takes the focus, by tab index; the frame and the labels hold
// places in between but are skipped.
const std::vector<std::u16string_view> kTabOrder = {
    u"optUran", u"optNuman",  u"optRera",  u"cmdGo",     u"Picture1", u"Picture2",  u"Option1",  u"Option2",
    u"Option3", u"Option4",   u"Picture3", u"Picture4",  u"Picture5", u"Picture6",  u"Picture7", u"Picture8",
    u"List1",   u"Option5",   u"Command1", u"Option6",   u"Picture9", u"Picture10", u"Option7",  u"Picture11",
    u"Option8", u"Picture12", u"Option9",  u"Picture13", u"Option10", u"Picture14", u"Option11", u"Picture15",
};

TEST(Navigation, TabVisitsEveryFocusableControlInTabIndexOrderAndWraps)
{
    std::vector<std::u16string_view> stops;
    for (const LayoutEntry *entry : tabStops())
        stops.push_back(entry->name);
    EXPECT_EQ(stops, kTabOrder);
    EXPECT_EQ(firstTabStop().name, u"optUran");
    std::u16string_view current = firstTabStop().name;
    for (std::size_t step = 1; step <= kTabOrder.size(); ++step) {
        current = nextTabStop(current, false).name;
        EXPECT_EQ(narrow(current), narrow(kTabOrder[step % kTabOrder.size()])) << "after step " << step;
    }
}

TEST(Navigation, ShiftTabRetracesTabBackwards)
{
    for (std::size_t index = 0; index < kTabOrder.size(); ++index) {
        const std::u16string_view previous = kTabOrder[(index + kTabOrder.size() - 1) % kTabOrder.size()];
        EXPECT_EQ(narrow(nextTabStop(kTabOrder[index], true).name), narrow(previous));
    }
}

TEST(Navigation, FromAControlThatTakesNoFocusStartsAtEitherEnd)
{
    for (std::u16string_view outside : {u"", u"Form1", u"Frame2", u"Label3", u"Image1", u"NoSuchControl"}) {
        SCOPED_TRACE(narrow(outside));
        EXPECT_EQ(nextTabStop(outside, false).name, u"optUran");
        EXPECT_EQ(nextTabStop(outside, true).name, u"Picture15");
    }
}

TEST(Navigation, ArrowKeysStayAmongTheOptionButtonsAcrossAllThreeRows)
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
        const LayoutEntry *next = nextOption(test.from, test.backwards);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(narrow(next->name), narrow(test.to));
    }
    for (std::u16string_view notAnOption : {u"cmdGo", u"Picture1", u"List1", u"Label2", u"NoSuchControl"})
        EXPECT_EQ(nextOption(notAnOption, false), nullptr) << narrow(notAnOption);
}

TEST(Navigation, TheFourteenOptionsFormOneGroupStartedByTheFirst)
{
    std::vector<std::u16string_view> starts;
    for (const LayoutEntry &entry : layout()) {
        if (startsOptionGroup(entry))
            starts.push_back(entry.name);
    }
    EXPECT_EQ(starts, std::vector<std::u16string_view>{u"optUran"});
}

TEST(Navigation, EnterPressesTheFocusedCommandButtonElseCmdGo)
{
    // clang-format off
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"Command1", u"Command1"}, {u"cmdGo", u"cmdGo"}, {u"List1", u"cmdGo"},
        {u"optUran", u"cmdGo"}, {u"Picture3", u"cmdGo"}, {u"", u"cmdGo"},
    };
    // clang-format on
    for (const auto &[focused, pressed] : cases)
        EXPECT_EQ(narrow(buttonForEnter(focused).name), narrow(pressed)) << narrow(focused);
}

TEST(Stacking, CoveredStripIsWhereTheIllustrationAboveOverlapsTheOption)
{
    // clang-format off
    const std::pair<std::u16string_view, int> covered[] = {
        {u"optUran", 375}, {u"optNuman", 255}, {u"Option4", 255}, {u"optRera", 135}, {u"Option6", 135},
        {u"Option1", 15}, {u"Option2", 15}, {u"Option3", 15}, {u"Option10", 15},
        {u"Option5", 0}, {u"Option7", 0}, {u"Option8", 0}, {u"Option9", 0}, {u"Option11", 0},
    };
    // clang-format on
    for (const auto &[option, twips] : covered) {
        const LayoutEntry *entry = findControl(option);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(coveredStripTwips(*entry), twips) << narrow(option);
    }
}

} // namespace
} // namespace pemtos::window
