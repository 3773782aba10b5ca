// SPDX-License-Identifier: MIT
// Every control operation of every click, failed in turn: for each tree form (and
// none) pressed with cmdGo, and for each species row (and no row) pressed with
// Command1. The operations each click must make are derived here from the
// handlers' rules, not from a recorded run, so a handler that skipped, added or
// reordered a step fails before any fault is injected; the texts they write come
// from the golden catalogue (tests/golden/catalogue.txt), not from the tables.
#include "window/handlers.h"

#include "fake/fakecontrols.h"
#include "goldentext.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pemtos::window {
namespace {

using fake::FakeControls;
using window::ControlError;
using window::ControlInterface;
using window::Operation;
using Form = golden::Catalogue::Form;

const std::vector<Form> &forms()
{
    return golden::catalogue().forms;
}

const std::u16string kBlank(kBlankCaption);
const std::u16string kPreviousDescription = u"前の樹形の説明";
const std::u16string kPreviousNote = u"前のノート";

/// One control operation a click is expected to make.
struct Step {
    Operation operation;
    std::u16string control;
    std::u16string text;     ///< caption set or row appended
    std::int16_t index = 0;  ///< row read by a List read
    ControlInterface family; ///< the interface the report must name
};

/// What the handlers can change, as the user sees it.
struct Screen {
    std::u16string label2;
    std::u16string label3;
    std::vector<std::u16string> rows;
    std::int16_t selected = -1;
    std::u16string option; ///< the selected option, empty for none

    friend bool operator==(const Screen &, const Screen &) = default;
};

/// The screen after `step` succeeded. Reads leave it as it was.
Screen apply(Screen screen, const Step &step)
{
    switch (step.operation) {
    case Operation::CaptionSet:
        (step.control == u"Label2" ? screen.label2 : screen.label3) = step.text;
        break;
    case Operation::Clear:
        screen.rows.clear();
        screen.selected = -1;
        break;
    case Operation::AddItem:
        screen.rows.push_back(step.text);
        break;
    case Operation::ListIndexGet:
    case Operation::ListGet:
    case Operation::ValueGet:
        break;
    }
    return screen;
}

Screen screenOf(const FakeControls &controls)
{
    Screen screen{controls.caption(u"Label2"),
                  controls.caption(u"Label3"),
                  controls.rows(u"List1"),
                  controls.selectedIndex(u"List1"),
                  {}};
    for (const Form &form : forms()) {
        if (controls.isSelected(form.option))
            screen.option += form.option; // more than one would show as a joined name
    }
    return screen;
}

/// Controls showing `screen`, every option button present.
std::unique_ptr<FakeControls> controlsShowing(const Screen &screen)
{
    auto controls = std::make_unique<FakeControls>();
    controls->addLabel(u"Label2", screen.label2);
    controls->addLabel(u"Label3", screen.label3);
    controls->addList(u"List1", screen.rows);
    controls->select(u"List1", screen.selected);
    for (const Form &form : forms())
        controls->addOption(form.option, form.option == screen.option);
    return controls;
}

/// One click in one situation, with the operations it must make.
struct Case {
    std::string name;
    Screen before;
    void (*click)(window::Controls &);
    std::vector<Step> steps;
};

/// cmdGo with `selected` (empty: none): blank both labels, clear the list, read
/// the options in table order up to the selected one, then show its record.
Case cmdGoCase(std::u16string_view selected)
{
    // Something on screen for the failed click to leave alone or overwrite.
    Screen before{kPreviousDescription, kPreviousNote, forms().front().species, 2, std::u16string(selected)};
    std::vector<Step> steps = {
        {Operation::CaptionSet, u"Label2", kBlank, 0, ControlInterface::Label},
        {Operation::CaptionSet, u"Label3", kBlank, 0, ControlInterface::Label},
        {Operation::Clear, u"List1", {}, 0, ControlInterface::ListBox},
    };
    for (const Form &form : forms()) {
        steps.push_back({Operation::ValueGet, form.option, {}, 0, ControlInterface::OptionButton});
        if (form.option != selected)
            continue;
        steps.push_back({Operation::CaptionSet, u"Label2", form.description, 0, ControlInterface::Label});
        for (const std::u16string &name : form.species)
            steps.push_back({Operation::AddItem, u"List1", name, 0, ControlInterface::ListBox});
        break;
    }
    std::string name = "cmdGo with ";
    name += selected.empty() ? std::string("no option") : std::string(selected.begin(), selected.end());
    return {name, before, &cmdGo_Click, steps};
}

/// The notes as a plain map.
const std::map<std::u16string, std::u16string> &notesByName()
{
    static const std::map<std::u16string, std::u16string> notes(golden::catalogue().notes.begin(),
                                                                golden::catalogue().notes.end());
    return notes;
}

/// Command1 with `row` of `form`'s list selected (-1: none): read the index, and
/// when a row is selected the index again and that row's text, then write its note.
Case command1Case(const Form &form, std::int16_t row)
{
    Screen before{form.description, kPreviousNote, form.species, row, form.option};
    std::vector<Step> steps = {{Operation::ListIndexGet, u"List1", {}, 0, ControlInterface::ListBox}};
    std::u16string selection; // no value is looked up as the empty text
    if (row != -1) {
        steps.push_back({Operation::ListIndexGet, u"List1", {}, 0, ControlInterface::ListBox});
        steps.push_back({Operation::ListGet, u"List1", {}, row, ControlInterface::ListBox});
        selection = before.rows.at(static_cast<std::size_t>(row));
    }
    steps.push_back({Operation::CaptionSet, u"Label3", notesByName().at(selection), 0, ControlInterface::Label});

    std::string name = "Command1 on " + golden::utf8(form.option) + " row " + std::to_string(row);
    return {name, before, &command1_Click, steps};
}

std::vector<Case> cmdGoCases()
{
    std::vector<Case> cases;
    for (const Form &form : forms())
        cases.push_back(cmdGoCase(form.option));
    cases.push_back(cmdGoCase(u""));
    return cases;
}

std::vector<Case> command1Cases()
{
    std::vector<Case> cases;
    for (const Form &form : forms()) {
        for (std::size_t row = 0; row < form.species.size(); ++row)
            cases.push_back(command1Case(form, static_cast<std::int16_t>(row)));
        cases.push_back(command1Case(form, -1));
    }
    return cases;
}

std::vector<FakeControls::Call> callsOf(const std::vector<Step> &steps)
{
    std::vector<FakeControls::Call> calls;
    for (const Step &step : steps)
        calls.push_back({step.operation, step.control, step.text, step.index});
    return calls;
}

Screen applyAll(Screen screen, const std::vector<Step> &steps, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        screen = apply(std::move(screen), steps[i]);
    return screen;
}

/// Runs `situation` once cleanly, then once per operation with that operation
/// failing; returns how many failures were injected.
std::size_t failEachOperation(const Case &situation)
{
    SCOPED_TRACE(situation.name);
    const Screen after = applyAll(situation.before, situation.steps, situation.steps.size());
    {
        auto controls = controlsShowing(situation.before);
        situation.click(*controls);
        EXPECT_EQ(controls->calls(), callsOf(situation.steps)) << "the click makes the operations its rules give";
        EXPECT_TRUE(controls->reportedErrors().empty());
        EXPECT_TRUE(screenOf(*controls) == after);
    }

    std::size_t injected = 0;
    for (std::size_t failing = 1; failing <= situation.steps.size(); ++failing) {
        SCOPED_TRACE(testing::Message() << "operation " << failing << " of " << situation.steps.size() << " fails");
        const Step &failed = situation.steps[failing - 1];
        auto controls = controlsShowing(situation.before);
        controls->failOperation(failing);
        situation.click(*controls);
        ++injected;

        // Reported once, naming the control, its interface and the operation.
        EXPECT_EQ(controls->reportedErrors().size(), 1U);
        if (!controls->reportedErrors().empty()) {
            const ControlError &error = controls->reportedErrors().front();
            EXPECT_EQ(error, (ControlError{failed.operation, failed.control}));
            EXPECT_EQ(window::interfaceOf(error.operation), failed.family);
            const std::u16string report = window::errorReportText(error);
            std::u16string named = failed.control + u" (";
            named += window::interfaceName(failed.family);
            named += u")";
            EXPECT_NE(report.find(named), std::u16string::npos);
            EXPECT_NE(report.find(window::operationName(failed.operation)), std::u16string::npos);
        }

        // Nothing after the failed operation ran; everything before it stays.
        const std::vector<FakeControls::Call> expectedCalls =
            callsOf({situation.steps.begin(), situation.steps.begin() + static_cast<std::ptrdiff_t>(failing)});
        EXPECT_EQ(controls->calls(), expectedCalls);
        EXPECT_TRUE(screenOf(*controls) == applyAll(situation.before, situation.steps, failing - 1));

        // The program goes on: the next click from what is on screen now works in full.
        controls->forgetCalls();
        situation.click(*controls);
        EXPECT_EQ(controls->reportedErrors().size(), 1U) << "no further report";
        const Screen now = screenOf(*controls);
        EXPECT_EQ(now.label2, after.label2);
        EXPECT_EQ(now.label3, after.label3);
        EXPECT_EQ(now.rows, after.rows);
        if (situation.click == &cmdGo_Click) {
            // A fresh cmdGo starts from scratch, so it ends exactly like the clean run.
            EXPECT_EQ(controls->calls(), callsOf(situation.steps));
        }
    }
    return injected;
}

TEST(FaultInjection, EveryOperationOfCmdGoForEveryTreeFormAndNone)
{
    const std::vector<Case> cases = cmdGoCases();
    ASSERT_EQ(cases.size(), 15U);
    std::size_t injected = 0;
    for (const Case &situation : cases)
        injected += failEachOperation(situation);
    // Per form: 3 blanking steps, the option reads up to its own, the description and
    // its species; with none selected: 3 steps and all 14 reads.
    EXPECT_EQ(injected, 282U);
    RecordProperty("injected_failures", static_cast<int>(injected));
}

TEST(FaultInjection, EveryOperationOfCommand1ForEverySpeciesRowAndNoRow)
{
    const std::vector<Case> cases = command1Cases();
    ASSERT_EQ(cases.size(), 104U + 14U);
    std::size_t injected = 0;
    for (const Case &situation : cases)
        injected += failEachOperation(situation);
    // Four operations with a row selected, two with none.
    EXPECT_EQ(injected, 104U * 4U + 14U * 2U);
    RecordProperty("injected_failures", static_cast<int>(injected));
}

} // namespace
} // namespace pemtos::window
