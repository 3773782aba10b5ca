// SPDX-License-Identifier: MIT
// What the user sees the window do, written once for every backend. A backend's
// test program instantiates the suite with its driver:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowBehaviour, testing::Types<QtWindowDriver>);
// Expected texts come from the golden catalogue (tests/golden/catalogue.txt) or are
// written out here, never from the tables the program is built from; the window as
// built is compared with tests/golden/window.txt (goldentext.h says how to read a
// difference and how to write the dump that a backend sees).
#pragma once

#include "goldentext.h"
#include "windowdriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace pemtos::behaviour {

/// What the tree-form command writes into both output labels first.
inline const std::u16string kBlank = u"\u3000\u3000\u3000\u3000\u3000";

/// Texts as the golden files write them, so that a difference is visible.
inline std::string shown(std::u16string_view text)
{
    return golden::quoted(text);
}

inline std::string shown(const std::vector<std::u16string> &texts)
{
    std::string out = "[";
    for (const std::u16string &text : texts)
        out += shown(text) + " ";
    return out + "]";
}

/// One line per control as built (and one per row of the list), as window.txt has them.
inline std::vector<std::string> dumpWindow(const std::vector<BuiltControl> &controls)
{
    const auto hex = [](Colour colour) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%06X", colour & 0xFFFFFFU);
        return std::string(buffer);
    };
    std::vector<std::string> lines;
    for (const BuiltControl &control : controls) {
        std::string line = golden::utf8(control.name) + " " + control.controlClass + " in " +
                           (control.container.empty() ? std::string("-") : golden::utf8(control.container));
        line += " at " + std::to_string(control.left) + "," + std::to_string(control.top) + " size " +
                std::to_string(control.width) + "x" + std::to_string(control.height);
        if (!control.visible)
            line += " hidden";
        if (!control.enabled)
            line += " disabled";
        if (control.fontPixels > 0) {
            // Pixels at 96 DPI to points: 3/4 of a point each.
            const int centiPoints = control.fontPixels * 75;
            char points[16];
            std::snprintf(points, sizeof points, "%d.%02d", centiPoints / 100, centiPoints % 100);
            std::string size = points;
            while (size.back() == '0')
                size.pop_back();
            if (size.back() == '.')
                size.pop_back();
            line += " font " + golden::quoted(control.face) + " " + size + "pt " + std::to_string(control.fontWeight);
        } else {
            line += " font -";
        }
        if (control.back || control.text) {
            line += " colours";
            if (control.back)
                line += " back " + hex(*control.back);
            if (control.text)
                line += " text " + hex(*control.text);
        } else {
            line += " colours default";
        }
        line += control.tabStop > 0 ? " tab " + std::to_string(control.tabStop) : std::string(" tab -");
        line += " caption " + golden::quoted(control.caption);
        if (!control.accessibleName.empty())
            line += " named " + golden::quoted(control.accessibleName);
        if (control.drawingWidth > 0) {
            char checksum[16];
            std::snprintf(checksum, sizeof checksum, "%08X", control.drawingChecksum);
            line += " drawing " + std::to_string(control.drawingWidth) + "x" + std::to_string(control.drawingHeight) +
                    " #" + checksum;
        }
        lines.push_back(line);
        int row = 0;
        for (const std::u16string &text : control.rows)
            lines.push_back("  row " + std::to_string(++row) + " " + golden::quoted(text));
    }
    return lines;
}

template <typename Driver> class WindowBehaviour : public testing::Test {
protected:
    WindowBehaviour() : m_driver(std::make_unique<Driver>()) {}

    WindowDriver &window() { return *m_driver; }
    static const golden::Catalogue &catalogue() { return golden::catalogue(); }

    /// Selects `option` and presses cmdGo.
    void lookUp(std::u16string_view option)
    {
        window().click(option);
        window().click(u"cmdGo");
    }

    /// The control `name` as built.
    BuiltControl built(std::u16string_view name)
    {
        for (const BuiltControl &control : window().builtControls()) {
            if (control.name == name)
                return control;
        }
        ADD_FAILURE() << "no control " << golden::utf8(name);
        return {};
    }

private:
    std::unique_ptr<Driver> m_driver;
};

TYPED_TEST_SUITE_P(WindowBehaviour);

// ---- The window as built ------------------------------------------------------------

TYPED_TEST_P(WindowBehaviour, IsBuiltAsTheGoldenWindow)
{
    golden::expectMatchesGolden("window.txt", dumpWindow(this->window().builtControls()));
}

TYPED_TEST_P(WindowBehaviour, OpensWithNoOptionEmptyOutputsAndTreeFormOnesSpecies)
{
    WindowDriver &window = this->window();
    EXPECT_TRUE(window.checkedOptions().empty());
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(u""));
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u""));
    EXPECT_EQ(shown(window.rows()), shown(this->catalogue().forms.front().species));
    EXPECT_EQ(window.selectedRow(), -1);
    EXPECT_EQ(shown(window.focused()), shown(u"optUran"));
}

TYPED_TEST_P(WindowBehaviour, StackingDecidesWhatAClickLandsOn)
{
    WindowDriver &window = this->window();
    // cmdGo lies inside the frame's rectangle, above the frame.
    const BuiltControl go = this->built(u"cmdGo");
    EXPECT_EQ(shown(window.controlAt(u"cmdGo", go.width / 2, go.height / 2)), shown(u"cmdGo"));
    // The empty image controls lie beneath the frame.
    const BuiltControl image = this->built(u"Image1");
    const std::u16string underImage = window.controlAt(u"Image1", image.width / 2, image.height / 2);
    EXPECT_NE(underImage, u"Image1");
    EXPECT_NE(underImage, u"Image2");
    // Each option button is hit at its circle; optUran's right end lies under its drawing.
    for (const golden::Catalogue::Form &form : this->catalogue().forms)
        EXPECT_EQ(shown(window.controlAt(form.option, 6, 8)), shown(form.option));
    const BuiltControl uran = this->built(u"optUran");
    EXPECT_EQ(shown(window.controlAt(u"optUran", uran.width - 2, 8)), shown(u"Picture1"));
}

// ---- The tree-form command ----------------------------------------------------------

TYPED_TEST_P(WindowBehaviour, EachTreeFormShowsItsDescriptionAndSpecies)
{
    WindowDriver &window = this->window();
    for (const golden::Catalogue::Form &form : this->catalogue().forms) {
        SCOPED_TRACE(golden::utf8(form.option));
        this->lookUp(form.option);
        EXPECT_EQ(shown(window.checkedOptions()), shown(std::vector<std::u16string>{form.option}));
        EXPECT_EQ(shown(window.caption(u"Label2")), shown(form.description));
        EXPECT_EQ(shown(window.caption(u"Label3")), shown(kBlank));
        EXPECT_EQ(shown(window.rows()), shown(form.species));
        EXPECT_EQ(window.selectedRow(), -1);
    }
    // Pressed again, the list is refilled, not added to.
    window.click(u"cmdGo");
    EXPECT_EQ(window.rows().size(), this->catalogue().forms.back().species.size());
}

TYPED_TEST_P(WindowBehaviour, NoOptionSelectedBlanksBothLabelsAndEmptiesTheList)
{
    WindowDriver &window = this->window();
    window.selectRow(2);
    window.click(u"Command1");
    ASSERT_FALSE(window.caption(u"Label3").empty());
    window.click(u"cmdGo");
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(kBlank));
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(kBlank)) << "the note is blanked too";
    EXPECT_TRUE(window.rows().empty());
}

TYPED_TEST_P(WindowBehaviour, AllFourteenOptionsFormOneGroup)
{
    WindowDriver &window = this->window();
    window.click(u"Option3");
    window.click(u"Option8");
    EXPECT_EQ(shown(window.checkedOptions()), shown(std::vector<std::u16string>{u"Option8"}));
    window.click(u"optUran");
    EXPECT_EQ(shown(window.checkedOptions()), shown(std::vector<std::u16string>{u"optUran"}));
    window.click(u"Option11");
    EXPECT_EQ(shown(window.checkedOptions()), shown(std::vector<std::u16string>{u"Option11"}));
}

TYPED_TEST_P(WindowBehaviour, ClickingAnIllustrationSelectsNothing)
{
    WindowDriver &window = this->window();
    for (int picture = 1; picture <= 15; ++picture) {
        const std::u16string name = u"Picture" + golden::utf16(std::to_string(picture));
        window.click(name);
        EXPECT_TRUE(window.checkedOptions().empty()) << golden::utf8(name);
    }
    window.click(u"Option2");
    window.click(u"Picture1");
    EXPECT_EQ(shown(window.focused()), shown(u"Picture1")) << "a drawing takes the focus, and only that";
    EXPECT_EQ(shown(window.checkedOptions()), shown(std::vector<std::u16string>{u"Option2"}));
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(u"")) << "clicks on drawings run no command";
}

// ---- The species-note command -------------------------------------------------------

TYPED_TEST_P(WindowBehaviour, ASpeciesNoteWorksBeforeTheTreeFormCommandWasUsed)
{
    WindowDriver &window = this->window();
    window.selectRow(2);
    ASSERT_EQ(shown(window.rows().at(2)), shown(u"スギ"));
    window.click(u"Command1");
    EXPECT_EQ(shown(window.caption(u"Label3")),
              shown(u"常緑針葉樹。自然分布としては、本州・四国・九州の冷温帯下部から，"
                    u"植林などによる人為によって分布は暖温帯全体にまで広がっている"));
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(u""));
}

TYPED_TEST_P(WindowBehaviour, EverySpeciesOfEveryFormShowsItsNote)
{
    WindowDriver &window = this->window();
    for (const golden::Catalogue::Form &form : this->catalogue().forms) {
        this->lookUp(form.option);
        for (std::size_t row = 0; row < form.species.size(); ++row) {
            SCOPED_TRACE(golden::utf8(form.species[row]));
            window.selectRow(static_cast<int>(row));
            window.click(u"Command1");
            EXPECT_EQ(shown(window.caption(u"Label3")), shown(this->catalogue().note(form.species[row])));
            // Nothing else moves.
            EXPECT_EQ(window.selectedRow(), static_cast<int>(row));
            EXPECT_EQ(shown(window.caption(u"Label2")), shown(form.description));
        }
        EXPECT_EQ(window.rows().size(), form.species.size());
    }
}

TYPED_TEST_P(WindowBehaviour, NoRowSelectedShowsTheEmptyNoteNotTheBlankCaption)
{
    WindowDriver &window = this->window();
    this->lookUp(u"Option3");
    ASSERT_EQ(shown(window.caption(u"Label3")), shown(kBlank));
    window.click(u"Command1");
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u""));
}

TYPED_TEST_P(WindowBehaviour, AnEmptyNoteReplacesThePreviousNote)
{
    WindowDriver &window = this->window();
    this->lookUp(u"Option9");
    window.selectRow(0);
    window.click(u"Command1");
    ASSERT_EQ(shown(window.caption(u"Label3")), shown(u"落葉低木，果実を結ぶものと結ばないものがある。"));
    window.selectRow(6);
    ASSERT_EQ(shown(window.rows().at(6)), shown(u"ヒョウガミズキ"));
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u"落葉低木，果実を結ぶものと結ばないものがある。"))
        << "selecting a row alone changes nothing";
    window.click(u"Command1");
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u""));
}

TYPED_TEST_P(WindowBehaviour, TheSelectionAndTheDescriptionSurviveTheNoteCommand)
{
    WindowDriver &window = this->window();
    this->lookUp(u"optNuman");
    window.selectRow(11);
    window.click(u"Command1");
    window.click(u"Command1");
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u"北米風落葉樹"));
    EXPECT_EQ(shown(window.caption(u"Label2")),
              shown(u"主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。"));
    EXPECT_EQ(window.selectedRow(), 11);
    EXPECT_EQ(window.rows().size(), 15U);
}

// ---- Failed control operations ------------------------------------------------------

TYPED_TEST_P(WindowBehaviour, AFailedOperationIsReportedOnceAndTheWindowGoesOn)
{
    struct Injection {
        std::u16string_view button; ///< pressed with the failure planted
        int failing;                ///< which of its operations fails
        std::u16string_view control;
        std::u16string_view interface;
        std::u16string_view operation; ///< a word the report uses for it
    };
    // cmdGo with optRera: Label2, Label3, the clear, optUran, optNuman, optRera, Label2, six rows.
    // Command1 with row 3 of optNuman's list: ListIndex, ListIndex, List, Label3.
    const Injection injections[] = {
        {u"cmdGo", 1, u"Label2", u"Label", u"Caption の"},        {u"cmdGo", 3, u"List1", u"ListBox", u"Clear"},
        {u"cmdGo", 5, u"optNuman", u"OptionButton", u"Value の"}, {u"cmdGo", 9, u"List1", u"ListBox", u"AddItem"},
        {u"Command1", 1, u"List1", u"ListBox", u"ListIndex の"},  {u"Command1", 3, u"List1", u"ListBox", u"List の"},
        {u"Command1", 4, u"Label3", u"Label", u"Caption の"},
    };
    const golden::Catalogue::Form &rera = this->catalogue().form(u"optRera");
    const golden::Catalogue::Form &numan = this->catalogue().form(u"optNuman");
    for (const Injection &injection : injections) {
        SCOPED_TRACE(golden::utf8(injection.button) + " failing at " + std::to_string(injection.failing));
        WindowDriver &window = this->window();
        if (injection.button == u"cmdGo") {
            // Something on screen that the failed click can be seen to leave or change.
            this->lookUp(u"optUran");
            ASSERT_TRUE(window.controls().setCaption(u"Label3", u"前のノート"));
            window.click(u"optRera");
        } else {
            this->lookUp(u"optNuman");
            window.selectRow(3);
        }
        const std::u16string label2 = window.caption(u"Label2");
        const std::u16string label3 = window.caption(u"Label3");
        const std::vector<std::u16string> rows = window.rows();

        window.failOperation(injection.failing);
        window.click(injection.button);
        const std::vector<std::u16string> reports = window.takeErrorReports();
        ASSERT_EQ(reports.size(), 1U);
        const std::u16string &report = reports.front();
        for (const std::u16string &part :
             {std::u16string(u"実行時エラー"),
              std::u16string(injection.control) + u" (" + std::u16string(injection.interface) + u")",
              std::u16string(injection.operation)})
            EXPECT_NE(report.find(part), std::u16string::npos) << shown(part) << " missing from " << shown(report);

        // What ran before the failure stays on screen; nothing after it ran.
        if (injection.button == u"cmdGo") {
            const int failing = injection.failing;
            EXPECT_EQ(shown(window.caption(u"Label2")), shown(failing == 1   ? label2
                                                              : failing <= 7 ? kBlank
                                                                             : rera.description));
            EXPECT_EQ(shown(window.caption(u"Label3")), shown(failing <= 2 ? label3 : kBlank));
            const std::vector<std::u16string> added(rera.species.begin(),
                                                    rera.species.begin() + std::max(0, failing - 8));
            EXPECT_EQ(shown(window.rows()), shown(failing <= 3 ? rows : added));
        } else {
            EXPECT_EQ(shown(window.caption(u"Label3")), shown(label3));
            EXPECT_EQ(shown(window.caption(u"Label2")), shown(label2));
            EXPECT_EQ(shown(window.rows()), shown(numan.species));
            EXPECT_EQ(window.selectedRow(), 3);
        }

        // The program goes on, and the report is not raised again.
        window.click(injection.button);
        EXPECT_TRUE(window.takeErrorReports().empty());
        if (injection.button == u"cmdGo") {
            EXPECT_EQ(shown(window.caption(u"Label2")), shown(rera.description));
            EXPECT_EQ(shown(window.rows()), shown(rera.species));
        } else {
            EXPECT_EQ(shown(window.caption(u"Label3")), shown(u"幹の色は白色")); // シラカバ
        }
    }
}

TYPED_TEST_P(WindowBehaviour, ControlOperationsFailOnTheWrongControlAndKeepTextsExactly)
{
    window::Controls &controls = this->window().controls();
    using window::Operation;
    const std::pair<window::ControlError, window::ControlError> cases[] = {
        {controls.setCaption(u"List1", u"x").error(), {Operation::CaptionSet, u"List1"}},
        {controls.setCaption(u"Image1", u"x").error(), {Operation::CaptionSet, u"Image1"}},
        {controls.setCaption(u"Label99", u"x").error(), {Operation::CaptionSet, u"Label99"}},
        {controls.clear(u"Label2").error(), {Operation::Clear, u"Label2"}},
        {controls.addItem(u"Command1", u"x").error(), {Operation::AddItem, u"Command1"}},
        {controls.listIndex(u"Picture1").error(), {Operation::ListIndexGet, u"Picture1"}},
        {controls.list(u"List1", 12).error(), {Operation::ListGet, u"List1"}},
        {controls.list(u"List1", -1).error(), {Operation::ListGet, u"List1"}},
        {controls.value(u"cmdGo").error(), {Operation::ValueGet, u"cmdGo"}},
        {controls.value(u"Frame2").error(), {Operation::ValueGet, u"Frame2"}},
    };
    for (const auto &[actual, expected] : cases)
        EXPECT_EQ(actual, expected) << golden::utf8(expected.control);
    EXPECT_EQ(this->window().rows().size(), 12U) << "none of them changed anything";

    // Trailing space, full-width forms and the empty text: nothing trimmed, sorted or lost.
    ASSERT_TRUE(controls.clear(u"List1"));
    const std::u16string_view texts[] = {u"ホオノキ ", u"Ａｂｃ，", u"", u"アオキ"};
    for (std::u16string_view row : texts)
        ASSERT_TRUE(controls.addItem(u"List1", row));
    for (std::size_t index = 0; index < std::size(texts); ++index) {
        const auto read = controls.list(u"List1", static_cast<std::int16_t>(index));
        ASSERT_TRUE(read);
        EXPECT_EQ(shown(read.value()), shown(texts[index]));
    }
    EXPECT_EQ(controls.listIndex(u"List1").value(), -1);
    this->window().selectRow(3);
    EXPECT_EQ(controls.listIndex(u"List1").value(), 3);
    ASSERT_TRUE(controls.setCaption(u"Label3", u" 紅葉は赤色， "));
    EXPECT_EQ(shown(this->window().caption(u"Label3")), shown(u" 紅葉は赤色， "));
}

// ---- The keyboard -------------------------------------------------------------------

TYPED_TEST_P(WindowBehaviour, TabFollowsTheTabOrderNotTheStacking)
{
    // How often Tab stops in the option group is the toolkit's own rule; everything
    // else follows the designed tab order.
    WindowDriver &window = this->window();
    ASSERT_EQ(shown(window.focused()), shown(u"optUran"));
    std::vector<std::u16string> stops;
    for (int n = 0; n < 12 && stops.size() < 6; ++n) {
        window.press(Key::Tab);
        if (!window.focused().starts_with(u"opt") && !window.focused().starts_with(u"Option"))
            stops.push_back(window.focused());
    }
    EXPECT_EQ(shown(stops), shown(std::vector<std::u16string>{u"cmdGo", u"Picture1", u"Picture2", u"Picture3",
                                                              u"Picture4", u"Picture5"}));
    EXPECT_TRUE(window.checkedOptions().empty()) << "taking the focus selects nothing";
}

TYPED_TEST_P(WindowBehaviour, ArrowKeysWalkTheOptionGroupAcrossAllThreeRows)
{
    WindowDriver &window = this->window();
    struct Move {
        std::u16string_view from;
        Key key;
        std::u16string_view to;
    };
    const Move moves[] = {
        {u"optUran", Key::Right, u"optNuman"}, {u"optRera", Key::Down, u"Option1"},
        {u"Option3", Key::Right, u"Option4"}, // end of row 1 to row 2
        {u"Option5", Key::Down, u"Option6"},  // end of row 2 to row 3
        {u"Option6", Key::Left, u"Option5"},   {u"Option4", Key::Up, u"Option3"},
        {u"Option11", Key::Right, u"optUran"}, // round from the last to the first
        {u"optUran", Key::Left, u"Option11"},  {u"optUran", Key::Up, u"Option11"},
    };
    for (const Move &move : moves) {
        SCOPED_TRACE(golden::utf8(move.from) + " -> " + golden::utf8(move.to));
        window.focus(move.from);
        window.press(move.key);
        EXPECT_EQ(shown(window.focused()), shown(move.to));
    }
    EXPECT_TRUE(window.checkedOptions().empty()) << "moving the focus alone selects nothing";

    // Fourteen steps visit every tree form in order and come back.
    window.focus(u"optUran");
    for (const golden::Catalogue::Form &form : this->catalogue().forms) {
        EXPECT_EQ(shown(window.focused()), shown(form.option));
        window.press(Key::Right);
    }
    EXPECT_EQ(shown(window.focused()), shown(u"optUran"));
}

TYPED_TEST_P(WindowBehaviour, SpaceSelectsAndTheArrowsCarryTheSelectionAlong)
{
    WindowDriver &window = this->window();
    const auto only = [](std::u16string_view option) {
        return shown(std::vector<std::u16string>{std::u16string(option)});
    };
    window.focus(u"Option5");
    window.press(Key::Space);
    EXPECT_EQ(shown(window.checkedOptions()), only(u"Option5"));
    window.press(Key::Right);
    EXPECT_EQ(shown(window.focused()), shown(u"Option6"));
    EXPECT_EQ(shown(window.checkedOptions()), only(u"Option6"));
    window.press(Key::Left);
    window.press(Key::Up);
    EXPECT_EQ(shown(window.focused()), shown(u"Option4"));
    EXPECT_EQ(shown(window.checkedOptions()), only(u"Option4"));
    window.focus(u"Option11");
    window.press(Key::Space);
    window.press(Key::Down);
    EXPECT_EQ(shown(window.checkedOptions()), only(u"optUran")) << "round from the last to the first";
}

TYPED_TEST_P(WindowBehaviour, EnterPressesTheFocusedCommandButtonElseTheDefaultOne)
{
    WindowDriver &window = this->window();
    const golden::Catalogue::Form &rera = this->catalogue().form(u"optRera");
    EXPECT_EQ(shown(window.defaultLookingButton()), shown(u"cmdGo"));
    window.focus(u"optRera");
    window.press(Key::Space);
    for (std::u16string_view focus : {u"optRera", u"Picture4", u"List1", u"Picture9", u"cmdGo"}) {
        SCOPED_TRACE(golden::utf8(focus));
        ASSERT_TRUE(window.controls().setCaption(u"Label2", u""));
        window.focus(focus);
        window.press(Key::Enter);
        EXPECT_EQ(shown(window.caption(u"Label2")), shown(rera.description));
    }

    // A focused Command1 takes Enter, and the default button's outline with it.
    window.selectRow(1); // サワグルミ
    window.focus(u"Command1");
    EXPECT_EQ(shown(window.defaultLookingButton()), shown(u"Command1"));
    window.press(Key::Enter);
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u"北欧風落葉樹"));
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(rera.description)) << "the tree-form command did not run";
    EXPECT_EQ(window.selectedRow(), 1);

    // Leaving it gives both back to cmdGo.
    window.focus(u"List1");
    EXPECT_EQ(shown(window.defaultLookingButton()), shown(u"cmdGo"));
}

TYPED_TEST_P(WindowBehaviour, BothCommandsCanBeUsedWithTheKeyboardAlone)
{
    WindowDriver &window = this->window();
    // 卵円形 with the arrows and Space, its description and species with Enter.
    ASSERT_EQ(shown(window.focused()), shown(u"optUran"));
    window.press(Key::Right);
    window.press(Key::Space);
    window.press(Key::Enter);
    const golden::Catalogue::Form &egg = this->catalogue().form(u"optNuman");
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(egg.description));
    ASSERT_EQ(shown(window.rows()), shown(egg.species));

    // Tab on to cmdGo, whose Space runs it again.
    for (int n = 0; n < 40 && window.focused() != u"cmdGo"; ++n)
        window.press(Key::Tab);
    ASSERT_EQ(shown(window.focused()), shown(u"cmdGo"));
    ASSERT_TRUE(window.controls().setCaption(u"Label2", u""));
    window.press(Key::Space);
    EXPECT_EQ(shown(window.caption(u"Label2")), shown(egg.description));

    // On to the list, down to プラタナス, on to Command1 and Space.
    for (int n = 0; n < 40 && window.focused() != u"List1"; ++n)
        window.press(Key::Tab);
    ASSERT_EQ(shown(window.focused()), shown(u"List1"));
    for (int n = 0; n < 20 && (window.selectedRow() < 0 ||
                               window.rows().at(static_cast<std::size_t>(window.selectedRow())) != u"プラタナス");
         ++n)
        window.press(Key::Down);
    ASSERT_EQ(window.selectedRow(), 11);
    for (int n = 0; n < 40 && window.focused() != u"Command1"; ++n)
        window.press(Key::Tab);
    ASSERT_EQ(shown(window.focused()), shown(u"Command1"));
    window.press(Key::Space);
    EXPECT_EQ(shown(window.caption(u"Label3")), shown(u"北米風落葉樹"));
}

REGISTER_TYPED_TEST_SUITE_P(WindowBehaviour, IsBuiltAsTheGoldenWindow,
                            OpensWithNoOptionEmptyOutputsAndTreeFormOnesSpecies, StackingDecidesWhatAClickLandsOn,
                            EachTreeFormShowsItsDescriptionAndSpecies,
                            NoOptionSelectedBlanksBothLabelsAndEmptiesTheList, AllFourteenOptionsFormOneGroup,
                            ClickingAnIllustrationSelectsNothing, ASpeciesNoteWorksBeforeTheTreeFormCommandWasUsed,
                            EverySpeciesOfEveryFormShowsItsNote, NoRowSelectedShowsTheEmptyNoteNotTheBlankCaption,
                            AnEmptyNoteReplacesThePreviousNote, TheSelectionAndTheDescriptionSurviveTheNoteCommand,
                            AFailedOperationIsReportedOnceAndTheWindowGoesOn,
                            ControlOperationsFailOnTheWrongControlAndKeepTextsExactly,
                            TabFollowsTheTabOrderNotTheStacking, ArrowKeysWalkTheOptionGroupAcrossAllThreeRows,
                            SpaceSelectsAndTheArrowsCarryTheSelectionAlong,
                            EnterPressesTheFocusedCommandButtonElseTheDefaultOne,
                            BothCommandsCanBeUsedWithTheKeyboardAlone);

} // namespace pemtos::behaviour
