// SPDX-License-Identifier: MIT
// The Qt window: the behaviour suite shared with the Win32 window, and what only
// the Qt window has to show (how it draws, fonts it finds, its message box).
#include "qtwindowdriver.h"
#include "windowbehaviour.h"

#include "captionfit.h"
#include "qt/fonts.h"
#include "qt/picturebox.h"
#include "qttestsupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace pemtos::behaviour {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowBehaviour, testing::Types<qt::QtWindowDriver>);
} // namespace pemtos::behaviour

namespace pemtos::qt {
namespace {

using behaviour::BuiltControl;
using behaviour::Key;

class QtWindowTest : public testing::Test {
protected:
    QtWindowDriver m_window;
};

TEST_F(QtWindowTest, NoCaptionIsCutOff)
{
    for (const std::string &cutOff : captionsCutOff(m_window.form()))
        ADD_FAILURE() << cutOff;
}

TEST_F(QtWindowTest, EveryTextIsDrawnInAnInstalledJapaneseFaceOfItsChain)
{
    const QStringList installed = QFontDatabase::families();
    for (const BuiltControl &control : m_window.builtControls()) {
        if (control.fontPixels == 0)
            continue;
        SCOPED_TRACE(name(control.name));
        const QFont font = shownFont(m_window.form(), control.name);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
        // Every text of the opening window is in the chain's first face, so it is asked for alone.
        const QStringList chain = faceChain(control.face);
        EXPECT_EQ(font.families(), QStringList{chain.constFirst()});
        // What is actually drawn is a Japanese face of the chain, not some unrelated default.
        const QString used = QFontInfo(font).family();
        EXPECT_TRUE(chain.contains(used) && installed.contains(used)) << used.toStdString();
    }
    EXPECT_EQ(QFontInfo(shownFont(m_window.form(), u"Label4")).family(), QStringLiteral("RocknRoll One"));
}

TEST_F(QtWindowTest, ATextTheFirstFaceLacksIsShownOverTheWholeChain)
{
    // No Japanese face has the tree emoji: the label and the list take their whole
    // chain for it, so that the chain picks the stand-in, and the label goes back to
    // its one face for a text that face has.
    const QStringList chain = faceChain(u"ＭＳ Ｐゴシック"); // the default font's
    ASSERT_GT(chain.size(), 1);
    const QString lacking = QStringLiteral("樹\U0001F333");
    ASSERT_TRUE(m_window.controls().setCaption(u"Label3", lacking.toStdU16String()));
    EXPECT_EQ(m_window.widget(u"Label3")->font().families(), chain);
    ASSERT_TRUE(m_window.controls().setCaption(u"Label3", u"樹"));
    EXPECT_EQ(m_window.widget(u"Label3")->font().families(), QStringList{chain.constFirst()});
    ASSERT_TRUE(m_window.controls().addItem(u"List1", lacking.toStdU16String()));
    EXPECT_EQ(m_window.widget(u"List1")->font().families(), chain);
}

TEST_F(QtWindowTest, AnOutputLabelIsDrawnInItsTextColourOnTheSharedBackground)
{
    ASSERT_TRUE(m_window.controls().setCaption(u"Label2", u"■■■■■■■■"));
    const QImage image = m_window.widget(u"Label2")->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(image.width() - 2, image.height() - 2)), QColor(192, 192, 192));
    bool sawText = false;
    for (int x = 0; x < 60 && !sawText; ++x) {
        for (int y = 0; y < image.height(); ++y)
            sawText = sawText || QColor(image.pixel(x, y)) == QColor(0, 128, 128);
    }
    EXPECT_TRUE(sawText);
}

TEST_F(QtWindowTest, IllustrationsAreDrawnAtNaturalSizeFromTheInnerCorner)
{
    int drawn = 0;
    for (const BuiltControl &control : m_window.builtControls()) {
        auto *box = qobject_cast<PictureBox *>(m_window.form().control(control.name));
        if (box == nullptr || box->shownPixmap().isNull())
            continue;
        SCOPED_TRACE(name(control.name));
        ++drawn;
        EXPECT_EQ(box->frameShadow(), QFrame::Sunken);
        const QImage bitmap = box->shownPixmap().toImage();
        const QImage shown = box->grab().toImage();
        const QRect inner = box->contentsRect();
        int compared = 0;
        for (int y = 0; y < inner.height() && y < bitmap.height(); y += 3) {
            for (int x = 0; x < inner.width() && x < bitmap.width(); x += 3) {
                ASSERT_EQ(QColor(shown.pixel(inner.left() + x, inner.top() + y)), QColor(bitmap.pixel(x, y)))
                    << "at " << x << "," << y;
                ++compared;
            }
        }
        EXPECT_GT(compared, 100);
    }
    EXPECT_EQ(drawn, 14);
}

TEST_F(QtWindowTest, PictureBoxFramesAreTheStylesSunkenPanel)
{
    // The picture boxes draw their frame themselves; a plain frame of the same size,
    // palette and shape, drawn by the style, must come out the same on its two-pixel edge.
    for (const BuiltControl &control : m_window.builtControls()) {
        auto *box = qobject_cast<PictureBox *>(m_window.form().control(control.name));
        if (box == nullptr)
            continue;
        SCOPED_TRACE(name(control.name));
        QFrame styled;
        styled.setFrameStyle(box->frameStyle());
        styled.setPalette(box->palette());
        styled.setAutoFillBackground(true);
        styled.resize(box->size());
        EXPECT_EQ(pixelDifference(box->grab().toImage(), styled.grab().toImage(), edgeBand(box->size(), 2)), "");
    }
}

TEST_F(QtWindowTest, TheFramesLineAndCaptionAreTheStylesOwn)
{
    // The frame fills its etched line itself; Qt's own group box of the same size,
    // caption, font and palette, drawn by the style, must come out the same along its
    // edges and across the caption's band, where none of the frame's controls lie.
    auto *frame = qobject_cast<QGroupBox *>(m_window.widget(u"Frame2"));
    ASSERT_NE(frame, nullptr);
    QGroupBox styled(frame->title());
    styled.setFont(frame->font());
    styled.setPalette(frame->palette());
    styled.setAutoFillBackground(true);
    styled.resize(frame->size());
    const int captionBand = QFontMetrics(frame->font()).height() + 2;
    const QSize size = frame->size();
    EXPECT_EQ(pixelDifference(frame->grab().toImage(), styled.grab().toImage(),
                              [&](int x, int y) {
                                  return x < 2 || y < captionBand || x >= size.width() - 2 || y >= size.height() - 2;
                              }),
              "");
}

TEST_F(QtWindowTest, OptionCirclesAreTheStylesOwn)
{
    // The options reuse one drawing of each look of their circle; Qt's own option
    // button of the same size and palette, drawn by the style, must show the same circle,
    // selected or not.
    qobject_cast<QRadioButton *>(m_window.widget(u"Option7"))->setChecked(true);
    for (const BuiltControl &control : m_window.builtControls()) {
        auto *option = qobject_cast<QRadioButton *>(m_window.form().control(control.name));
        if (option == nullptr)
            continue;
        SCOPED_TRACE(name(control.name));
        QRadioButton plain;
        plain.setPalette(option->palette());
        plain.setAutoFillBackground(true);
        plain.setChecked(option->isChecked());
        plain.resize(option->size());
        QStyleOptionButton measure;
        measure.initFrom(&plain);
        const QRect circle = plain.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &measure, &plain);
        ASSERT_FALSE(circle.isEmpty());
        EXPECT_EQ(pixelDifference(option->grab(circle).toImage(), plain.grab(circle).toImage()), "");
    }
}

TEST_F(QtWindowTest, OnceAnOptionIsSelectedTheGroupIsOneTabStop)
{
    m_window.focus(u"Option1");
    m_window.press(Key::Space);
    std::vector<std::u16string> options;
    m_window.focus(u"cmdGo");
    for (int n = 0; n < 40 && (n == 0 || m_window.focused() != u"cmdGo"); ++n) {
        if (qobject_cast<QRadioButton *>(QApplication::focusWidget()) != nullptr)
            options.push_back(m_window.focused());
        m_window.press(Key::Tab);
    }
    EXPECT_EQ(m_window.focused(), u"cmdGo") << "Tab goes round the window";
    EXPECT_EQ(options, std::vector<std::u16string>{u"Option1"});
}

TEST_F(QtWindowTest, TheListsScrollBarScrollsByRowByPageByDraggingAndByWheel)
{
    // The list opens with more rows than it shows: its scroll bar lies right of the
    // rows, an arrow at each end, the slider just under the upper arrow.
    auto *list = qobject_cast<QListWidget *>(m_window.widget(u"List1"));
    ASSERT_NE(list, nullptr);
    QScrollBar *bar = list->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible()) << "no scroll bar";
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    const int shown = list->viewport()->height() / rowHeight;
    ASSERT_GT(list->count(), 3 * shown);
    // The row shown at the top, as the user sees it.
    const auto topRow = [&] { return list->row(list->itemAt(2, 2)); };
    const auto click = [&](int y) { QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, y)); };

    click(bar->height() - 3);
    EXPECT_EQ(topRow(), 1) << "the lower arrow scrolls a row down";
    click(2);
    EXPECT_EQ(topRow(), 0) << "the upper arrow scrolls a row up";
    click(bar->height() - bar->width() - 1);
    EXPECT_EQ(topRow(), shown) << "below the slider scrolls a page down";

    for (int n = 0; n < 3; ++n)
        click(2);
    ASSERT_EQ(topRow(), 0);
    const QPoint slider(bar->width() / 2, bar->width() + 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, slider);
    QTest::mouseMove(bar, QPoint(slider.x(), bar->height() - 1));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(slider.x(), bar->height() - 1));
    EXPECT_EQ(topRow(), list->count() - shown) << "the slider dragged to the bottom shows the last rows";
    EXPECT_EQ(selectedRowOf(list), -1) << "scrolling chooses no row";

    const QPoint centre = list->viewport()->rect().center();
    QWheelEvent notch(centre, list->viewport()->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &notch);
    EXPECT_EQ(topRow(), list->count() - shown - QApplication::wheelScrollLines()) << "a wheel notch up";
}

TEST_F(QtWindowTest, TheListsKeysMoveTheChoiceAsAListBoxDoes)
{
    // The list opens with more rows than it shows; each key moves the chosen row. A
    // page key goes first to the last (first) row shown whole, then a page on.
    auto *list = qobject_cast<QListWidget *>(m_window.widget(u"List1"));
    ASSERT_NE(list, nullptr);
    list->setFocus(Qt::TabFocusReason);
    const int last = list->count() - 1;
    const int shown = list->viewport()->height() / list->visualItemRect(list->item(0)).height();
    ASSERT_GT(last, 2 * shown);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int chosen;
    };
    const Step steps[] = {
        {Qt::Key_Space, {}, 0},
        {Qt::Key_End, {}, last},
        {Qt::Key_Home, {}, 0},
        {Qt::Key_PageDown, {}, shown - 1},
        {Qt::Key_PageDown, {}, 2 * shown - 2},
        {Qt::Key_Down, {}, 2 * shown - 1},
        {Qt::Key_PageUp, {}, shown},
        {Qt::Key_Up, {}, shown - 1},
        {Qt::Key_Down, Qt::ControlModifier, shown},
        {Qt::Key_Space, Qt::ControlModifier, -1},
    };
    for (const Step &step : steps) {
        QTest::keyClick(list, step.key, step.modifiers);
        EXPECT_EQ(selectedRowOf(list), step.chosen) << "after key " << step.key;
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->currentItem()).center()))
            << "scrolled into view";
    }
    // Typing the first letter of a name chooses the row that starts with it: one whose
    // letter no other name holds anywhere, nor itself again.
    int typed = -1;
    for (int row = 1; row <= last && typed < 0; ++row) {
        const QString text = list->item(row)->text();
        bool elsewhere = text.indexOf(text.front(), 1) >= 0;
        for (int other = 0; other <= last; ++other)
            elsewhere = elsewhere || (other != row && list->item(other)->text().contains(text.front()));
        if (!elsewhere)
            typed = row;
    }
    ASSERT_GE(typed, 0);
    // A pause first: Space, too, starts a search by what is typed.
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QKeyEvent letter(QEvent::KeyPress, 0, Qt::NoModifier, list->item(typed)->text().left(1));
    QApplication::sendEvent(list, &letter);
    EXPECT_EQ(selectedRowOf(list), typed);
}

TEST_F(QtWindowTest, TheKeypadsEnterPressesTheDefaultButtonToo)
{
    m_window.click(u"Option7");
    m_window.focus(u"Picture9");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(m_window.rows().size(), 12U);
    EXPECT_EQ(m_window.rows().front(), u"イヌツゲ");
}

TEST_F(QtWindowTest, CommandButtonBevelsAreTheStylesOwn)
{
    // The command buttons fill their bevel themselves; Qt's own push button of the
    // same size, palette and default state, drawn by the style, must come out the same
    // on its outline and bevel, up and held down.
    for (const bool down : {false, true}) {
        for (const char16_t *name : {u"cmdGo", u"Command1"}) {
            auto *button = qobject_cast<QPushButton *>(m_window.widget(name));
            ASSERT_NE(button, nullptr);
            SCOPED_TRACE(QString::fromUtf16(name).toStdString() + (down ? " down" : " up"));
            button->setDown(down);
            QPushButton plain;
            plain.setPalette(button->palette());
            // As a dialog's default button: its bevel inside the outline.
            plain.setDefault(button->isDefault());
            plain.setAutoDefault(button->isDefault());
            plain.setDown(down);
            plain.resize(button->size());
            EXPECT_EQ(pixelDifference(button->grab().toImage(), plain.grab().toImage(), edgeBand(button->size(), 3)),
                      "");
            button->setDown(false);
        }
    }
}

TEST_F(QtWindowTest, WhatIsRepaintedAfterEachStepIsWhatAWholeDrawingShows)
{
    // Most controls leave their container to paint the background under them, and the
    // container redraws only the captions under what changed: after each step, what the
    // window shows must be what drawing it whole shows.
    QWidget &form = m_window.form();
    const auto shown = [&form] {
        // The list lays its new rows out on the event loop's next turn, and repaints after.
        QTest::qWait(50);
        return form.screen()->grabWindow(form.winId()).toImage();
    };
    const auto steps = std::to_array<std::function<void()>>({
        [] {},
        [this] { clickLikeAPerson(m_window.widget(u"Option7")); },
        [this] { clickLikeAPerson(m_window.widget(u"cmdGo")); },
        [this] { clickRow(qobject_cast<QListWidget *>(m_window.widget(u"List1")), 2); },
        [this] { clickLikeAPerson(m_window.widget(u"Command1")); },
        [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); },
    });
    for (std::size_t step = 0; step < steps.size(); ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        steps.at(step)();
        const QImage onScreen = shown();
        onScreen.save(QString("/tmp/h20/screen%1.png").arg(step));
        form.grab().save(QString("/tmp/h20/grab%1.png").arg(step));
        EXPECT_EQ(pixelDifference(onScreen, form.grab().toImage().convertToFormat(onScreen.format())), "");
    }
}

TEST_F(QtWindowTest, TheDefaultButtonWearsADarkOutlineTheOtherDoesNot)
{
    auto *lookUp = qobject_cast<QPushButton *>(m_window.widget(u"cmdGo"));
    const QImage drawnDefault = lookUp->grab().toImage();
    const QImage drawnOther = m_window.widget(u"Command1")->grab().toImage();
    const QColor outline = lookUp->palette().color(QPalette::Shadow);
    EXPECT_EQ(QColor(drawnDefault.pixel(0, drawnDefault.height() / 2)), outline);
    EXPECT_EQ(QColor(drawnDefault.pixel(drawnDefault.width() / 2, 0)), outline);
    EXPECT_NE(QColor(drawnOther.pixel(0, drawnOther.height() / 2)), outline);
}

TEST_F(QtWindowTest, TheErrorReportIsACriticalMessageBoxOfTheWindow)
{
    m_window.failOperation(1);
    m_window.click(u"Command1");
    const std::vector<std::u16string> reports = m_window.takeErrorReports();
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_TRUE(reports.front().starts_with(u"pemtos - 実行時エラー\n")) << name(reports.front());
    EXPECT_EQ(m_window.lastReportIcon(), QMessageBox::Critical);
    EXPECT_EQ(m_window.lastReportParent(), &m_window.form()) << "the report belongs to the window";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace pemtos::qt
