// SPDX-License-Identifier: MIT
// What a screen reader is told about the tree-form options and after each command.
#include "window/handlers.h"
#include "window/speech.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using pemtos::window::optionDescription;
using pemtos::window::optionPosition;

struct SpokenOption {
    std::u16string_view option;
    int position;
    std::u16string_view group;   // the heading the option stands under, as spoken
    std::u16string_view drawing; // a word the drawing's description must hold
};

// The window's three rows: eight tall forms, then six medium and low ones; two captions
// (盃状形, 枝垂形) stand once in each group.
constexpr SpokenOption kOptions[] = {
    {u"optUran", 1, u"高木。", u"円錐形"},         {u"Option3", 6, u"高木。", u"盃状形"},
    {u"Option4", 7, u"高木。", u"枝垂形"},         {u"Option5", 8, u"高木。", u"ヤシ"},
    {u"Option6", 9, u"中低木。", u"円錐形円柱形"}, {u"Option8", 11, u"中低木。", u"盃状形"},
    {u"Option10", 13, u"中低木。", u"枝垂形"},     {u"Option11", 14, u"中低木。", u"ほふく形"},
};

TEST(SpeechTest, EachOptionSaysItsPlaceItsGroupAndItsDrawing)
{
    for (const SpokenOption &expected : kOptions) {
        SCOPED_TRACE(std::string(expected.option.begin(), expected.option.end()));
        EXPECT_EQ(optionPosition(expected.option), expected.position);
        const std::u16string description = optionDescription(expected.option);
        EXPECT_EQ(description.substr(0, expected.group.size()), expected.group);
        EXPECT_NE(description.find(expected.drawing), std::u16string::npos);
    }
    EXPECT_NE(optionDescription(u"Option3"), optionDescription(u"Option8"));
    for (std::u16string_view other : {u"Picture1", u"Label10", u"cmdGo", u""}) {
        EXPECT_EQ(optionPosition(other), 0);
        EXPECT_TRUE(optionDescription(other).empty());
    }
}

TEST(SpeechTest, EachCommandsResultIsSaidAndAnEmptyResultSaysSo)
{
    const std::u16string found = pemtos::window::treeFormAnnouncement(u"樹冠が丸い。", 15);
    EXPECT_EQ(found.substr(0, 6), u"樹冠が丸い。");
    EXPECT_NE(found.find(u"15種"), std::u16string::npos);

    const std::u16string none = pemtos::window::treeFormAnnouncement(pemtos::window::kBlankCaption, 0);
    EXPECT_NE(none.find(u"選ばれていません"), std::u16string::npos);

    EXPECT_EQ(pemtos::window::speciesNoteAnnouncement(u"紅葉は赤色，", true), u"紅葉は赤色，");
    const std::u16string noNote = pemtos::window::speciesNoteAnnouncement(u"", true);
    const std::u16string noRow = pemtos::window::speciesNoteAnnouncement(u"", false);
    EXPECT_FALSE(noNote.empty());
    EXPECT_FALSE(noRow.empty());
    EXPECT_NE(noNote, noRow);
}

} // namespace
