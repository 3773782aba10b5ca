// SPDX-License-Identifier: MIT
// Everything the window offers, done with the keyboard alone.
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pemtos::qt {
namespace {

class QtKeyboardTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        m_form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    }

    template <typename Widget = QWidget> [[nodiscard]] Widget *get(std::u16string_view control) const
    {
        auto *widget = qobject_cast<Widget *>(m_form->control(control));
        if (widget == nullptr)
            ADD_FAILURE() << "no control " << name(control);
        return widget;
    }

    /// Presses and releases `key` where the focus is, as the keyboard does.
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    /// The design name of the control that has the focus.
    [[nodiscard]] static std::u16string focused()
    {
        QWidget *widget = QApplication::focusWidget();
        return widget == nullptr ? std::u16string() : widget->objectName().toStdU16String();
    }

    void focus(std::u16string_view control) const { get(control)->setFocus(Qt::OtherFocusReason); }

    [[nodiscard]] QString caption(std::u16string_view label) const { return get<QLabel>(label)->text(); }

    [[nodiscard]] std::vector<std::u16string> checkedOptions() const
    {
        std::vector<std::u16string> checked;
        for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
            if (get<QAbstractButton>(form.option)->isChecked())
                checked.emplace_back(form.option);
        }
        return checked;
    }

    std::unique_ptr<QtForm> m_form;
};

TEST_F(QtKeyboardTest, ArrowKeysWalkTheOptionGroupAcrossAllThreeRows)
{
    struct Move {
        std::u16string_view from;
        Qt::Key key;
        std::u16string_view to;
    };
    const std::vector<Move> moves = {
        {u"optUran", Qt::Key_Right, u"optNuman"}, {u"optRera", Qt::Key_Down, u"Option1"},
        {u"Option3", Qt::Key_Right, u"Option4"}, // end of row 1 to row 2
        {u"Option5", Qt::Key_Down, u"Option6"},  // end of row 2 to row 3
        {u"Option6", Qt::Key_Left, u"Option5"},   {u"Option4", Qt::Key_Up, u"Option3"},
        {u"Option11", Qt::Key_Right, u"optUran"}, // round from the last to the first
        {u"optUran", Qt::Key_Left, u"Option11"},  {u"optUran", Qt::Key_Up, u"Option11"},
    };
    for (const Move &move : moves) {
        SCOPED_TRACE(name(move.from) + " -> " + name(move.to));
        focus(move.from);
        key(move.key);
        EXPECT_EQ(focused(), move.to);
    }
    EXPECT_TRUE(checkedOptions().empty()) << "moving the focus alone selects nothing";

    // Fourteen steps visit every tree form in order and come back.
    focus(u"optUran");
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        EXPECT_EQ(focused(), form.option);
        key(Qt::Key_Right);
    }
    EXPECT_EQ(focused(), u"optUran");
}

TEST_F(QtKeyboardTest, SpaceSelectsAndTheArrowsCarryTheSelectionAlong)
{
    focus(u"Option5");
    key(Qt::Key_Space);
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option5"});
    key(Qt::Key_Right);
    EXPECT_EQ(focused(), u"Option6");
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option6"});
    key(Qt::Key_Left);
    EXPECT_EQ(focused(), u"Option5");
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option5"});
    key(Qt::Key_Left);
    EXPECT_EQ(focused(), u"Option4");
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option4"});
}

TEST_F(QtKeyboardTest, OnceAnOptionIsSelectedTheGroupIsOneTabStop)
{
    focus(u"Option1");
    key(Qt::Key_Space);
    std::vector<std::u16string> options;
    focus(u"cmdGo");
    for (int n = 0; n < 40 && (n == 0 || focused() != u"cmdGo"); ++n) {
        if (qobject_cast<QAbstractButton *>(QApplication::focusWidget()) != nullptr &&
            qobject_cast<QPushButton *>(QApplication::focusWidget()) == nullptr)
            options.push_back(focused());
        key(Qt::Key_Tab);
    }
    EXPECT_EQ(focused(), u"cmdGo") << "Tab goes round the window";
    EXPECT_EQ(options, std::vector<std::u16string>{u"Option1"});
}

TEST_F(QtKeyboardTest, EnterRunsTheTreeFormCommandWhereverTheFocusIs)
{
    focus(u"optRera");
    key(Qt::Key_Space);
    const QString description = qs(catalogue::treeForms()[2].description);
    struct Press {
        std::u16string_view focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const std::vector<Press> presses = {
        {u"optRera", Qt::Key_Return, Qt::NoModifier}, {u"Picture4", Qt::Key_Return, Qt::NoModifier},
        {u"List1", Qt::Key_Return, Qt::NoModifier},   {u"Picture9", Qt::Key_Enter, Qt::KeypadModifier},
        {u"cmdGo", Qt::Key_Return, Qt::NoModifier},
    };
    for (const Press &press : presses) {
        SCOPED_TRACE(name(press.focus));
        ASSERT_TRUE(m_form->controls().setCaption(u"Label2", u""));
        focus(press.focus);
        key(press.key, press.modifiers);
        EXPECT_EQ(caption(u"Label2"), description);
    }
}

TEST_F(QtKeyboardTest, AFocusedCommandButtonTakesEnterAndTheDefaultLook)
{
    auto *lookUp = get<QPushButton>(u"cmdGo");
    auto *note = get<QPushButton>(u"Command1");
    EXPECT_TRUE(lookUp->isDefault());
    EXPECT_FALSE(note->isDefault());

    get<QListWidget>(u"List1")->setCurrentRow(2); // スギ
    focus(u"Command1");
    EXPECT_TRUE(note->isDefault());
    EXPECT_FALSE(lookUp->isDefault());
    key(Qt::Key_Return);
    EXPECT_EQ(caption(u"Label3"), qs(*catalogue::findSpeciesNote(u"スギ")));
    EXPECT_EQ(caption(u"Label2"), QString()) << "the tree-form command did not run";
    EXPECT_EQ(get<QListWidget>(u"List1")->count(), 12);

    focus(u"List1");
    EXPECT_TRUE(lookUp->isDefault());
    EXPECT_FALSE(note->isDefault());

    // The default button wears a dark outline that the other button does not.
    const QImage drawnDefault = lookUp->grab().toImage();
    const QImage drawnOther = note->grab().toImage();
    const QColor outline = lookUp->palette().color(QPalette::Shadow);
    EXPECT_EQ(QColor(drawnDefault.pixel(0, drawnDefault.height() / 2)), outline);
    EXPECT_EQ(QColor(drawnDefault.pixel(drawnDefault.width() / 2, 0)), outline);
    EXPECT_NE(QColor(drawnOther.pixel(0, drawnOther.height() / 2)), outline);
}

TEST_F(QtKeyboardTest, BothCommandsCanBeUsedWithTheKeyboardAlone)
{
    // 卵円形 with the arrows and Space, its description and species with Enter.
    ASSERT_EQ(focused(), u"optUran");
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    const catalogue::TreeFormCategory &egg = catalogue::treeForms()[1];
    EXPECT_EQ(caption(u"Label2"), qs(egg.description));
    auto *list = get<QListWidget>(u"List1");
    ASSERT_EQ(list->count(), static_cast<int>(egg.species.size()));

    // Tab leaves the group for cmdGo, whose Space runs it again.
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), u"cmdGo");
    ASSERT_TRUE(m_form->controls().setCaption(u"Label2", u""));
    key(Qt::Key_Space);
    EXPECT_EQ(caption(u"Label2"), qs(egg.description));

    // On to the list, down to プラタナス, Tab to Command1 and Space.
    for (int n = 0; n < 40 && focused() != u"List1"; ++n)
        key(Qt::Key_Tab);
    ASSERT_EQ(focused(), u"List1");
    for (int n = 0;
         n < 20 && (list->selectedItems().isEmpty() || list->selectedItems().first()->text() != "プラタナス"); ++n)
        key(Qt::Key_Down);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(), QStringLiteral("プラタナス"));
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), u"Command1");
    key(Qt::Key_Space);
    EXPECT_EQ(caption(u"Label3"), QStringLiteral("北米風落葉樹"));
}

} // namespace
} // namespace pemtos::qt
