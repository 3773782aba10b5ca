// SPDX-License-Identifier: MIT
#include "window/handlers.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "fake/fakecontrols.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pemtos::window {
namespace {

using fake::FakeControls;
using window::ControlError;
using window::Operation;
using Call = FakeControls::Call;

const std::u16string kBlank(kBlankCaption);

std::vector<std::u16string> namesOf(const catalogue::TreeFormCategory &form)
{
    return {form.species.begin(), form.species.end()};
}

/// Controls as the window opens: empty labels, tree form 1's names, no option selected.
std::unique_ptr<FakeControls> openedWindow()
{
    auto controls = std::make_unique<FakeControls>();
    controls->addLabel(u"Label2");
    controls->addLabel(u"Label3");
    controls->addList(u"List1", namesOf(catalogue::treeForms().front()));
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms())
        controls->addOption(std::u16string(form.option));
    return controls;
}

/// Replays `calls` on `controls`, to rebuild what a handler's first steps left behind.
void replay(FakeControls &controls, const std::vector<Call> &calls)
{
    for (const Call &call : calls) {
        switch (call.operation) {
        case Operation::CaptionSet:
            ASSERT_TRUE(controls.setCaption(call.control, call.text));
            break;
        case Operation::Clear:
            ASSERT_TRUE(controls.clear(call.control));
            break;
        case Operation::AddItem:
            ASSERT_TRUE(controls.addItem(call.control, call.text));
            break;
        case Operation::ListIndexGet:
        case Operation::ListGet:
        case Operation::ValueGet:
            break; // reads leave nothing behind
        }
    }
}

void expectSameScreen(const FakeControls &actual, const FakeControls &expected)
{
    EXPECT_EQ(actual.caption(u"Label2"), expected.caption(u"Label2"));
    EXPECT_EQ(actual.caption(u"Label3"), expected.caption(u"Label3"));
    EXPECT_EQ(actual.rows(u"List1"), expected.rows(u"List1"));
    EXPECT_EQ(actual.selectedIndex(u"List1"), expected.selectedIndex(u"List1"));
}

// ---- cmdGo_Click --------------------------------------------------------------------------------

TEST(CmdGoClick, BlanksClearsThenReadsOptionsInTableOrderUpToTheSelectedOne)
{
    auto controls = openedWindow();
    controls->selectOption(u"optRera");
    cmdGo_Click(*controls);

    std::vector<Call> expected = {
        {Operation::CaptionSet, u"Label2", kBlank, 0},
        {Operation::CaptionSet, u"Label3", kBlank, 0},
        {Operation::Clear, u"List1", u"", 0},
        {Operation::ValueGet, u"optUran", u"", 0},
        {Operation::ValueGet, u"optNuman", u"", 0},
        {Operation::ValueGet, u"optRera", u"", 0},
        {Operation::CaptionSet, u"Label2", u"主幹があり,逆卵円形の樹冠を形成する。", 0},
    };
    for (std::u16string_view name : catalogue::findTreeFormByOption(u"optRera")->species)
        expected.push_back({Operation::AddItem, u"List1", std::u16string(name), 0});
    EXPECT_EQ(controls->calls(), expected);
    EXPECT_TRUE(controls->reportedErrors().empty());
}

TEST(CmdGoClick, EachFormShowsItsDescriptionAndSpecies)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        SCOPED_TRACE(form.number);
        auto controls = openedWindow();
        controls->addLabel(u"Label3", u"前のノート");
        controls->selectOption(std::u16string(form.option));
        cmdGo_Click(*controls);

        EXPECT_EQ(controls->caption(u"Label2"), form.description);
        EXPECT_EQ(controls->caption(u"Label3"), kBlank);
        EXPECT_EQ(controls->rows(u"List1"), namesOf(form));
        EXPECT_EQ(controls->selectedIndex(u"List1"), -1);
        EXPECT_TRUE(controls->isSelected(std::u16string(form.option))) << "options keep their values";
    }
}

TEST(CmdGoClick, NoOptionSelectedLeavesBlankLabelsAndAnEmptyList)
{
    auto controls = openedWindow();
    controls->select(u"List1", 2);
    controls->addLabel(u"Label3", u"常緑針葉樹");
    cmdGo_Click(*controls);

    EXPECT_EQ(controls->caption(u"Label2"), u"\u3000\u3000\u3000\u3000\u3000");
    EXPECT_EQ(controls->caption(u"Label3"), u"\u3000\u3000\u3000\u3000\u3000");
    EXPECT_TRUE(controls->rows(u"List1").empty());
    EXPECT_EQ(controls->selectedIndex(u"List1"), -1);
    EXPECT_EQ(controls->calls().size(), 3U + catalogue::treeForms().size()) << "every option read once";
}

TEST(CmdGoClick, StopsAtTheFirstSelectedOption)
{
    // A group shows one selection, but should two ever read true the earlier record wins
    // and later options are not read at all.
    auto controls = openedWindow();
    controls->addOption(u"Option3", true);
    controls->addOption(u"Option8", true);
    cmdGo_Click(*controls);

    EXPECT_EQ(controls->rows(u"List1"), namesOf(*catalogue::findTreeFormByOption(u"Option3")));
    for (const Call &call : controls->calls())
        EXPECT_NE(call.control, u"Option8");
}

TEST(CmdGoClick, SharedCaptionStillSelectsItsOwnRecord)
{
    auto controls = openedWindow();
    controls->selectOption(u"Option8");
    cmdGo_Click(*controls);
    ASSERT_EQ(controls->rows(u"List1").size(), 11U);
    EXPECT_EQ(controls->rows(u"List1").front(), u"オオムラサキツツジ");
}

TEST(CmdGoClick, PressingTwiceGivesTheSameListWithoutDuplicates)
{
    auto controls = openedWindow();
    controls->selectOption(u"optUran");
    cmdGo_Click(*controls);
    cmdGo_Click(*controls);
    EXPECT_EQ(controls->rows(u"List1"), namesOf(catalogue::treeForms().front()));
}

TEST(CmdGoClick, AFailureEndsTheHandlerAndKeepsWhatWasDone)
{
    for (const std::u16string option : {u"optUran", u"Option5", u"Option11", u""}) {
        auto reference = openedWindow();
        if (!option.empty())
            reference->selectOption(option);
        cmdGo_Click(*reference);
        const std::vector<Call> fullRun = reference->calls();

        for (std::size_t failing = 1; failing <= fullRun.size(); ++failing) {
            SCOPED_TRACE(testing::Message() << "option " << option.size() << " failing step " << failing);
            auto controls = openedWindow();
            if (!option.empty())
                controls->selectOption(option);
            controls->failOperation(failing);
            cmdGo_Click(*controls);

            const Call &failed = fullRun[failing - 1];
            ASSERT_EQ(controls->calls().size(), failing) << "nothing runs after the failed operation";
            ASSERT_EQ(controls->reportedErrors().size(), 1U);
            EXPECT_EQ(controls->reportedErrors().front(), (ControlError{failed.operation, failed.control}));

            auto expected = openedWindow();
            replay(*expected, {fullRun.begin(), fullRun.begin() + static_cast<std::ptrdiff_t>(failing - 1)});
            expectSameScreen(*controls, *expected);

            // The program keeps running: the next press works as usual.
            cmdGo_Click(*controls);
            expectSameScreen(*controls, *reference);
        }
    }
}

// ---- command1_Click -----------------------------------------------------------------------------

/// A window whose list shows `form`'s species, as after pressing cmdGo for it.
std::unique_ptr<FakeControls> listing(const catalogue::TreeFormCategory &form)
{
    auto controls = openedWindow();
    controls->selectOption(std::u16string(form.option));
    cmdGo_Click(*controls);
    controls->forgetCalls();
    return controls;
}

TEST(Command1Click, SelectedRowShowsItsNoteAfterTwoIndexReadsAndOneRowRead)
{
    auto controls = openedWindow();
    controls->select(u"List1", 2); // スギ, before cmdGo was ever pressed
    command1_Click(*controls);

    const std::u16string note =
        u"常緑針葉樹。自然分布としては、本州・四国・九州の冷温帯下部から，植林などによる人為によって"
        u"分布は暖温帯全体にまで広がっている";
    const std::vector<Call> expected = {
        {Operation::ListIndexGet, u"List1", u"", 0},
        {Operation::ListIndexGet, u"List1", u"", 0},
        {Operation::ListGet, u"List1", u"", 2},
        {Operation::CaptionSet, u"Label3", note, 0},
    };
    EXPECT_EQ(controls->calls(), expected);
    EXPECT_EQ(controls->caption(u"Label3"), note);
}

TEST(Command1Click, NoRowSelectedWritesTheEmptyTextNotTheBlankCaption)
{
    auto controls = listing(catalogue::treeForms()[3]);
    ASSERT_EQ(controls->caption(u"Label3"), kBlank);
    command1_Click(*controls);

    const std::vector<Call> expected = {
        {Operation::ListIndexGet, u"List1", u"", 0},
        {Operation::CaptionSet, u"Label3", u"", 0},
    };
    EXPECT_EQ(controls->calls(), expected);
    EXPECT_EQ(controls->caption(u"Label3"), u"");
}

TEST(Command1Click, EmptyNoteReplacesThePreviousNote)
{
    auto controls = listing(*catalogue::findTreeFormByOption(u"Option9"));
    controls->select(u"List1", 0);
    command1_Click(*controls);
    ASSERT_EQ(controls->caption(u"Label3"), u"落葉低木，果実を結ぶものと結ばないものがある。");
    controls->select(u"List1", 6); // ヒョウガミズキ
    command1_Click(*controls);
    EXPECT_EQ(controls->caption(u"Label3"), u"");
}

TEST(Command1Click, UnknownRowTextLeavesTheNoteAlone)
{
    auto controls = openedWindow();
    controls->addList(u"List1", {u"スギ", u"ｽｷﾞ", u"すぎ "});
    controls->addLabel(u"Label3", u"前のノート");
    for (std::int16_t row : {1, 2}) {
        controls->forgetCalls();
        controls->select(u"List1", row);
        command1_Click(*controls);
        EXPECT_EQ(controls->caption(u"Label3"), u"前のノート");
        EXPECT_EQ(controls->calls().size(), 3U) << "two index reads, one row read, no write";
    }
}

TEST(Command1Click, LeavesTheSelectionTheListAndTheDescriptionAlone)
{
    const catalogue::TreeFormCategory &form = catalogue::treeForms()[1];
    auto controls = listing(form);
    controls->select(u"List1", 5); // フウ
    command1_Click(*controls);
    command1_Click(*controls);

    EXPECT_EQ(controls->caption(u"Label3"), u"北米風落葉樹");
    EXPECT_EQ(controls->caption(u"Label2"), form.description);
    EXPECT_EQ(controls->rows(u"List1"), namesOf(form));
    EXPECT_EQ(controls->selectedIndex(u"List1"), 5);
    EXPECT_EQ(controls->calls().size(), 8U) << "pressing twice writes the same note twice";
}

TEST(Command1Click, EverySpeciesShowsItsNote)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        auto controls = listing(form);
        for (std::size_t row = 0; row < form.species.size(); ++row) {
            controls->select(u"List1", static_cast<std::int16_t>(row));
            command1_Click(*controls);
            EXPECT_EQ(controls->caption(u"Label3"), *catalogue::findSpeciesNote(form.species[row]));
        }
    }
}

TEST(Command1Click, AFailureAtEachOperationLeavesTheNoteAsItWas)
{
    struct Case {
        std::int16_t selectedRow;
        std::size_t operations;
    };
    for (const Case &situation : {Case{-1, 2}, Case{4, 4}}) {
        for (std::size_t failing = 1; failing <= situation.operations; ++failing) {
            SCOPED_TRACE(testing::Message() << "row " << situation.selectedRow << " failing step " << failing);
            auto controls = openedWindow();
            controls->addLabel(u"Label3", u"前のノート");
            controls->select(u"List1", situation.selectedRow);
            controls->forgetCalls();
            controls->failOperation(failing);
            command1_Click(*controls);

            EXPECT_EQ(controls->calls().size(), failing);
            ASSERT_EQ(controls->reportedErrors().size(), 1U);
            const ControlError &error = controls->reportedErrors().front();
            EXPECT_EQ(error.operation, controls->calls().back().operation);
            EXPECT_EQ(window::interfaceOf(error.operation), failing == situation.operations
                                                                ? window::ControlInterface::Label
                                                                : window::ControlInterface::ListBox);
            EXPECT_EQ(controls->caption(u"Label3"), u"前のノート");
            EXPECT_EQ(controls->selectedIndex(u"List1"), situation.selectedRow);

            command1_Click(*controls);
            EXPECT_NE(controls->caption(u"Label3"), u"前のノート") << "the next press works";
        }
    }
}

} // namespace
} // namespace pemtos::window
