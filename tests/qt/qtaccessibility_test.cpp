// SPDX-License-Identifier: MIT
// The window as assistive technology sees it through Qt's accessibility interfaces,
// the same ones that the AT-SPI bridge hands to screen readers.
#include "qt/application.h"
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "catalogue/treeform.h"
#include "window/accessibility.h"
#include "window/illustrations.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// That the output labels announce each new text is checked over AT-SPI by
// accessibility_test.py, and what Orca speaks by orca_test.py: offscreen, Qt sends no
// accessibility events at all.

namespace pemtos::qt {
namespace {

class QtAccessibilityTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    [[nodiscard]] QAccessibleInterface *accessible(std::u16string_view control) const
    {
        if (QWidget *widget = m_form->control(control))
            return QAccessible::queryAccessibleInterface(widget);
        // A control its container draws is found as a screen reader finds it: among the
        // container's children, at its place on the screen.
        const WindowlessControls::Control *drawn = m_form->drawnControl(control);
        EXPECT_NE(drawn, nullptr) << name(control);
        if (drawn == nullptr)
            return nullptr;
        QAccessibleInterface *container = QAccessible::queryAccessibleInterface(drawn->container);
        const QRect onScreen(drawn->container->mapToGlobal(drawn->rect.topLeft()), drawn->rect.size());
        for (int index = 0; index < container->childCount(); ++index) {
            QAccessibleInterface *child = container->child(index);
            if (child->object() == nullptr && child->rect() == onScreen) {
                EXPECT_EQ(child->parent(), container) << name(control);
                EXPECT_EQ(container->indexOfChild(child), index) << name(control);
                return child;
            }
        }
        ADD_FAILURE() << name(control) << " is not among its container's children";
        return nullptr;
    }

    /// Runs the action named `action` of `control`, as a screen reader does.
    void doAction(std::u16string_view control, const QString &action) const
    {
        QAccessibleActionInterface *actions = accessible(control)->actionInterface();
        ASSERT_NE(actions, nullptr) << name(control);
        ASSERT_TRUE(actions->actionNames().contains(action)) << name(control) << " lacks " << action.toStdString();
        actions->doAction(action);
    }

    /// Presses a command button through its action and waits for its click to finish.
    void press(std::u16string_view control) const
    {
        auto *button = qobject_cast<QAbstractButton *>(m_form->control(control));
        bool clicked = false;
        const auto connection = QObject::connect(button, &QAbstractButton::clicked, [&clicked] { clicked = true; });
        doAction(control, QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([&clicked] { return clicked; })) << name(control) << " was not pressed";
        QObject::disconnect(connection);
    }

    /// What the window's status bar last told screen readers.
    [[nodiscard]] QString announced() const
    {
        QAccessibleInterface *window = accessible(u"Form1");
        for (int index = 0; index < window->childCount(); ++index) {
            QAccessibleInterface *child = window->child(index);
            if (child->role() != QAccessible::StatusBar)
                continue;
            EXPECT_EQ(window->indexOfChild(child), index);
            QAccessibleInterface *notification = child->child(0);
            EXPECT_EQ(notification->role(), QAccessible::Notification);
            EXPECT_EQ(notification->parent(), child);
            return notification->text(QAccessible::Name);
        }
        ADD_FAILURE() << "the window has no status bar";
        return {};
    }

    [[nodiscard]] QString text(std::u16string_view label) const
    {
        return qobject_cast<QLabel *>(m_form->control(label))->text();
    }

    std::unique_ptr<QtForm> m_form;
};

TEST_F(QtAccessibilityTest, EveryControlHasARoleAndAName)
{
    struct Expected {
        std::u16string_view control;
        QAccessible::Role role;
        QString name;
    };
    const std::vector<Expected> expected = {
        {u"Form1", QAccessible::Window, QStringLiteral("樹形から調べる樹木名と特徴")},
        {u"Frame2", QAccessible::Grouping, QStringLiteral("樹形")},
        {u"optUran", QAccessible::RadioButton, QStringLiteral("円錐形")},
        {u"Option8", QAccessible::RadioButton, QStringLiteral("盃状形")},
        {u"cmdGo", QAccessible::Button, QStringLiteral("樹形を選んでクリックして下さい")},
        {u"Command1", QAccessible::Button, QStringLiteral("樹木を選んでクリックして下さい")},
        {u"List1", QAccessible::List, QStringLiteral("樹木の一覧")},
        {u"Label12", QAccessible::StaticText, QStringLiteral("選択樹形の特徴 ・・")},
        {u"Picture1", QAccessible::Graphic, qs(window::findIllustration(u"Picture1")->description)},
        {u"Picture15", QAccessible::Graphic, qs(window::findIllustration(u"Picture15")->description)},
        {u"Picture9", QAccessible::Graphic, QStringLiteral("図なし")},
        {u"Image1", QAccessible::Client, QStringLiteral("画像なし")},
    };
    for (const Expected &row : expected) {
        SCOPED_TRACE(name(row.control));
        QAccessibleInterface *iface = accessible(row.control);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), row.role);
        EXPECT_EQ(iface->text(QAccessible::Name), row.name);
    }

    // Every other control has a name too, but for the two output labels: they are named
    // by the text they show (empty at start) and described instead.
    for (const window::LayoutEntry &entry : window::layout()) {
        SCOPED_TRACE(name(entry.name));
        QAccessibleInterface *iface = accessible(entry.name);
        ASSERT_NE(iface, nullptr);
        if (entry.name == u"Label2" || entry.name == u"Label3") {
            EXPECT_EQ(iface->text(QAccessible::Name), QString());
            EXPECT_FALSE(iface->text(QAccessible::Description).isEmpty());
        } else {
            EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
        }
    }
    for (const window::Illustration &art : window::illustrations())
        EXPECT_EQ(accessible(art.picture)->text(QAccessible::Name), qs(art.description)) << name(art.picture);
}

TEST_F(QtAccessibilityTest, TheProgramIsKnownByItsNameAndApplicationId)
{
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->role(), QAccessible::Application);
    EXPECT_EQ(application->text(QAccessible::Name), QStringLiteral("pemtos"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral(PEMTOS_APP_ID));
    // The window is given the icon once it has drawn its first frame, not before.
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    giveIconAfterFirstFrame(*m_form);
    m_form->update();
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }));
    const QList<QSize> sizes = m_form->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 64, 128})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST_F(QtAccessibilityTest, BothCommandsRunThroughTheAccessibleActions)
{
    // A screen reader selects a tree form by toggling its option ...
    doAction(u"optNuman", QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(qobject_cast<QAbstractButton *>(m_form->control(u"optNuman"))->isChecked());
    EXPECT_TRUE(accessible(u"optNuman")->state().checked);
    // ... and toggling the selected option again cannot leave the group without one.
    doAction(u"optNuman", QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(accessible(u"optNuman")->state().checked);

    press(u"cmdGo");
    const catalogue::TreeFormCategory &egg = catalogue::treeForms()[1];
    EXPECT_EQ(text(u"Label2"), qs(egg.description));
    EXPECT_EQ(accessible(u"Label2")->text(QAccessible::Name), qs(egg.description));
    QAccessibleInterface *list = accessible(u"List1");
    ASSERT_EQ(list->childCount(), static_cast<int>(egg.species.size()));
    EXPECT_EQ(list->child(11)->text(QAccessible::Name), QStringLiteral("プラタナス"));

    // The list's rows are selected through its table interface.
    QAccessibleTableInterface *table = list->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->selectRow(11));
    EXPECT_EQ(table->selectedRows(), QList<int>{11});
    EXPECT_TRUE(list->child(11)->state().selected);

    press(u"Command1");
    EXPECT_EQ(text(u"Label3"), QStringLiteral("北米風落葉樹"));
    EXPECT_EQ(accessible(u"Label3")->text(QAccessible::Name), QStringLiteral("北米風落葉樹"));
}

TEST_F(QtAccessibilityTest, TheOptionsAreOneGroupOfFourteenEachWithItsHeightGroupAndDrawing)
{
    // The fourteen options in the order of the tree forms, each with the picture beside it.
    const std::vector<std::pair<std::u16string_view, std::u16string_view>> options = {
        {u"optUran", u"Picture1"},   {u"optNuman", u"Picture2"}, {u"optRera", u"Picture3"},  {u"Option1", u"Picture4"},
        {u"Option2", u"Picture5"},   {u"Option3", u"Picture6"},  {u"Option4", u"Picture7"},  {u"Option5", u"Picture8"},
        {u"Option6", u"Picture10"},  {u"Option7", u"Picture11"}, {u"Option8", u"Picture12"}, {u"Option9", u"Picture13"},
        {u"Option10", u"Picture14"}, {u"Option11", u"Picture15"}};
    // Eight under 高木, six under 中低木.
    QAccessibleInterface *group = accessible(u"optUran")->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->parent(), accessible(u"Frame2"));
    EXPECT_GE(accessible(u"Frame2")->indexOfChild(group), 0);
    ASSERT_EQ(group->childCount(), 14);
    for (int index = 0; index < 14; ++index) {
        const auto [option, picture] = options[static_cast<std::size_t>(index)];
        SCOPED_TRACE(name(option));
        QAccessibleInterface *iface = accessible(option);
        EXPECT_EQ(iface->parent(), group);
        EXPECT_EQ(group->child(index), iface);
        EXPECT_EQ(group->indexOfChild(iface), index);
        const QString description = iface->text(QAccessible::Description);
        EXPECT_TRUE(description.startsWith(index < 8 ? QStringLiteral("高木") : QStringLiteral("中低木")))
            << description.toStdString();
        // ... then what the drawing beside it shows, as the drawing itself is named.
        EXPECT_TRUE(description.endsWith(accessible(picture)->text(QAccessible::Name))) << description.toStdString();
    }
    // The two 盃状形 and the two 枝垂形 sound different.
    EXPECT_NE(accessible(u"Option3")->text(QAccessible::Description),
              accessible(u"Option8")->text(QAccessible::Description));
    EXPECT_NE(accessible(u"Option4")->text(QAccessible::Description),
              accessible(u"Option10")->text(QAccessible::Description));
}

TEST_F(QtAccessibilityTest, EachCommandTellsScreenReadersWhatItShowed)
{
    EXPECT_EQ(announced(), QString());
    doAction(u"optNuman", QAccessibleActionInterface::toggleAction());
    press(u"cmdGo");
    // The description of 卵円形 and its fifteen species.
    const QString form = announced();
    EXPECT_TRUE(form.startsWith(QStringLiteral("主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。")))
        << form.toStdString();
    EXPECT_TRUE(form.contains(QStringLiteral("15"))) << form.toStdString();

    // Nothing chosen in the new list: the note command says so rather than nothing.
    press(u"Command1");
    EXPECT_FALSE(announced().isEmpty());
    EXPECT_NE(announced(), form);

    ASSERT_TRUE(accessible(u"List1")->tableInterface()->selectRow(11));
    press(u"Command1");
    EXPECT_EQ(announced(), QStringLiteral("北米風落葉樹"));
}

} // namespace
} // namespace pemtos::qt
