// SPDX-License-Identifier: MIT
#include "window/handlers.h"

#include "catalogue/treeform.h"
#include "fake/fakecontrols.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pemtos::window {
namespace {

using fake::FakeControls;
using Call = FakeControls::Call;

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

// What the user sees of both commands is checked on the real windows (windowbehaviour.h),
// and every step of every click by faultinjection_test; these are the cases that a
// window cannot produce.

// ---- cmdGo_Click --------------------------------------------------------------------------------

TEST(CmdGoClick, StopsAtTheFirstSelectedOption)
{
    // A group shows one selection, but should two ever read true the earlier record wins
    // and later options are not read at all.
    auto controls = openedWindow();
    controls->addOption(u"Option3", true);
    controls->addOption(u"Option8", true);
    cmdGo_Click(*controls);

    EXPECT_EQ(controls->rows(u"List1"), (std::vector<std::u16string>{u"ケヤキ", u"サクラ", u"トチノキ"}));
    for (const Call &call : controls->calls())
        EXPECT_NE(call.control, u"Option8");
}

// ---- command1_Click -----------------------------------------------------------------------------

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

} // namespace
} // namespace pemtos::window
