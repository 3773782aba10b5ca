// SPDX-License-Identifier: MIT
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "captionfit.h"
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "qt/fonts.h"
#include "qt/picturebox.h"
#include "window/handlers.h"
#include "window/illustrations.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pemtos::qt {
namespace {

using window::ControlClass;
using window::LayoutEntry;

QRect pixels(const window::Rect &twips)
{
    const window::Rect rect = window::toPixels(twips);
    return {rect.left, rect.top, rect.width, rect.height};
}

class QtFormTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        m_form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    template <typename Widget = QWidget> Widget *get(std::u16string_view control) const
    {
        auto *widget = qobject_cast<Widget *>(m_form->control(control));
        if (widget == nullptr)
            ADD_FAILURE() << "no control " << name(control) << " of the expected class";
        return widget;
    }

    QString caption(std::u16string_view label) const { return get<QLabel>(label)->text(); }

    QStringList rows() const { return rowTexts(get<QListWidget>(u"List1")); }

    static QStringList names(std::span<const std::u16string_view> species)
    {
        QStringList texts;
        for (std::u16string_view text : species)
            texts << qs(text);
        return texts;
    }

    void click(std::u16string_view control) const { clickLikeAPerson(get(control)); }

    void selectRow(int row) const { clickRow(get<QListWidget>(u"List1"), row); }

    int checkedOptions() const
    {
        int checked = 0;
        for (const catalogue::TreeFormCategory &form : catalogue::treeForms())
            checked += get<QRadioButton>(form.option)->isChecked() ? 1 : 0;
        return checked;
    }

    std::unique_ptr<QtForm> m_form;
};

const QMetaObject *expectedClass(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Frame:
        return &QGroupBox::staticMetaObject;
    case ControlClass::CommandButton:
        return &QPushButton::staticMetaObject;
    case ControlClass::OptionButton:
        return &QRadioButton::staticMetaObject;
    case ControlClass::Label:
        return &QLabel::staticMetaObject;
    case ControlClass::ListBox:
        return &QListWidget::staticMetaObject;
    case ControlClass::PictureBox:
        return &PictureBox::staticMetaObject;
    case ControlClass::Image:
    case ControlClass::Form:
        break;
    }
    return &QWidget::staticMetaObject;
}

TEST_F(QtFormTest, EveryControlIsBuiltFromItsRow)
{
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("樹形から調べる樹木名と特徴"));
    EXPECT_EQ(m_form->size(), QSize(955, 624));
    for (const LayoutEntry &entry : window::layout()) {
        if (entry.controlClass == ControlClass::Form)
            continue;
        SCOPED_TRACE(name(entry.name));
        QWidget *widget = m_form->control(entry.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), qs(entry.name));
        EXPECT_TRUE(widget->inherits(expectedClass(entry.controlClass)->className()));
        EXPECT_EQ(widget->parentWidget()->objectName(), qs(entry.container));
        const QRect inWindow(widget->mapTo(m_form.get(), QPoint(0, 0)), widget->size());
        EXPECT_EQ(inWindow, pixels(window::windowRectTwips(entry)));
        EXPECT_TRUE(widget->isVisible());
        EXPECT_TRUE(widget->isEnabled());

        QString shown;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown = button->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            shown = label->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            shown = frame->title();
        EXPECT_EQ(shown, qs(entry.caption));
    }
}

TEST_F(QtFormTest, FontsComeFromTheTableAndFrameChildrenKeepTheDefault)
{
    const QStringList installed = QFontDatabase::families();
    for (const LayoutEntry &entry : window::layout()) {
        SCOPED_TRACE(name(entry.name));
        const QFont font = m_form->control(entry.name)->font();
        const int centiPoints = entry.font != nullptr ? entry.font->centiPoints : 900;
        EXPECT_EQ(font.pixelSize(), qRound(centiPoints * 96.0 / 7200.0));
        EXPECT_EQ(font.bold(), entry.font != nullptr && entry.font->weight == 700);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
        const QStringList chain = faceChain(entry.font != nullptr ? entry.font->face : u"ＭＳ Ｐゴシック");
        // Every text of the opening window is in the chain's first face, so it is asked for alone.
        EXPECT_EQ(font.families(), QStringList{chain.constFirst()});
        // What is actually drawn is a Japanese face of the chain, not some unrelated default.
        const QString used = QFontInfo(font).family();
        EXPECT_TRUE(chain.contains(used) && installed.contains(used)) << used.toStdString();
    }
    EXPECT_EQ(QFontInfo(get(u"Label4")->font()).family(), QStringLiteral("RocknRoll One"));
}

TEST_F(QtFormTest, ATextTheFirstFaceLacksIsShownOverTheWholeChain)
{
    // No Japanese face has the tree emoji: the label and the list take their whole
    // chain for it, so that the chain picks the stand-in, and the label goes back to
    // its one face for a text that face has.
    const QStringList chain = faceChain(u"ＭＳ Ｐゴシック"); // the default font's
    ASSERT_GT(chain.size(), 1);
    const QString lacking = QStringLiteral("樹\U0001F333");
    ASSERT_TRUE(m_form->controls().setCaption(u"Label3", lacking.toStdU16String()));
    EXPECT_EQ(get(u"Label3")->font().families(), chain);
    ASSERT_TRUE(m_form->controls().setCaption(u"Label3", u"樹"));
    EXPECT_EQ(get(u"Label3")->font().families(), QStringList{chain.constFirst()});
    ASSERT_TRUE(m_form->controls().addItem(u"List1", lacking.toStdU16String()));
    EXPECT_EQ(get(u"List1")->font().families(), chain);
}

TEST_F(QtFormTest, ColoursFollowTheClassicScheme)
{
    const QColor background(192, 192, 192);
    const QColor text(0, 128, 128);
    for (const LayoutEntry &entry : window::layout()) {
        SCOPED_TRACE(name(entry.name));
        QWidget *widget = m_form->control(entry.name);
        if (entry.backColour) {
            EXPECT_EQ(widget->palette().color(widget->backgroundRole()), background);
        }
        if (entry.foreColour) {
            EXPECT_EQ(widget->palette().color(widget->foregroundRole()), text);
        }
    }
    // A drawn output label shows the text colour on the shared background.
    ASSERT_TRUE(m_form->controls().setCaption(u"Label2", u"■■■■■■■■"));
    const QImage image = get(u"Label2")->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(image.width() - 2, image.height() - 2)), background);
    bool sawText = false;
    for (int x = 0; x < 60 && !sawText; ++x) {
        for (int y = 0; y < image.height(); ++y)
            sawText = sawText || QColor(image.pixel(x, y)) == text;
    }
    EXPECT_TRUE(sawText);
}

TEST_F(QtFormTest, OpensWithNoOptionEmptyOutputsAndTreeFormOnesNames)
{
    EXPECT_EQ(checkedOptions(), 0);
    EXPECT_EQ(caption(u"Label2"), QString());
    EXPECT_EQ(caption(u"Label3"), QString());
    EXPECT_EQ(rows(), names(catalogue::treeForms().front().species));
    EXPECT_TRUE(get<QListWidget>(u"List1")->selectedItems().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), get(u"optUran"));
}

TEST_F(QtFormTest, FocusChainFollowsTheDesignedTabOrder)
{
    const std::vector<std::u16string_view> expected = {
        u"optUran", u"optNuman",  u"optRera",  u"cmdGo",     u"Picture1", u"Picture2",  u"Option1",  u"Option2",
        u"Option3", u"Option4",   u"Picture3", u"Picture4",  u"Picture5", u"Picture6",  u"Picture7", u"Picture8",
        u"List1",   u"Option5",   u"Command1", u"Option6",   u"Picture9", u"Picture10", u"Option7",  u"Picture11",
        u"Option8", u"Picture12", u"Option9",  u"Picture13", u"Option10", u"Picture14", u"Option11", u"Picture15"};
    // The option group is one stop for the Tab key (Qt drops the tab focus of the options that
    // are not checked, as Windows does); the chain itself still follows the design order.
    std::vector<std::u16string_view> chain;
    QWidget *widget = get(u"optUran");
    do {
        if (window::findControl(widget->objectName().toStdU16String()) != nullptr &&
            widget->focusPolicy() != Qt::NoFocus)
            chain.push_back(window::findControl(widget->objectName().toStdU16String())->name);
        widget = widget->nextInFocusChain();
    } while (widget != get(u"optUran") && chain.size() < 100);
    EXPECT_EQ(chain, expected);
}

TEST_F(QtFormTest, EachTreeFormShowsItsDescriptionAndSpecies)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        SCOPED_TRACE(form.number);
        click(form.option);
        ASSERT_TRUE(get<QRadioButton>(form.option)->isChecked());
        click(u"cmdGo");
        EXPECT_EQ(caption(u"Label2"), qs(form.description));
        EXPECT_EQ(caption(u"Label3"), qs(window::kBlankCaption));
        EXPECT_EQ(rows(), names(form.species));
        EXPECT_TRUE(get<QListWidget>(u"List1")->selectedItems().isEmpty());
        EXPECT_EQ(checkedOptions(), 1);
    }
}

TEST_F(QtFormTest, NoOptionSelectedBlanksTheOutputAndEmptiesTheList)
{
    click(u"cmdGo");
    EXPECT_EQ(caption(u"Label2"), QStringLiteral("\u3000\u3000\u3000\u3000\u3000"));
    EXPECT_EQ(caption(u"Label3"), QStringLiteral("\u3000\u3000\u3000\u3000\u3000"));
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(QtFormTest, AllFourteenOptionsFormOneGroup)
{
    click(u"Option3");
    click(u"Option8");
    EXPECT_FALSE(get<QRadioButton>(u"Option3")->isChecked());
    EXPECT_TRUE(get<QRadioButton>(u"Option8")->isChecked());
    click(u"optUran");
    EXPECT_EQ(checkedOptions(), 1);
    click(u"Option11");
    EXPECT_EQ(checkedOptions(), 1);
    EXPECT_TRUE(get<QRadioButton>(u"Option11")->isChecked());
}

TEST_F(QtFormTest, CmdGoLiesAboveTheFrameAndIllustrationsAboveTheirOptions)
{
    const QPoint cmdGoCentre = get(u"cmdGo")->geometry().center();
    EXPECT_EQ(m_form->childAt(cmdGoCentre), get(u"cmdGo"));

    // optUran's last 25 pixels lie under Picture1.
    QWidget *option = get(u"optUran");
    const QPoint covered = option->mapTo(m_form.get(), QPoint(option->width() - 3, option->height() / 2));
    EXPECT_EQ(m_form->childAt(covered), get(u"Picture1"));
    // The empty image controls lie beneath the frame.
    const QPoint image = pixels(window::windowRectTwips(*window::findControl(u"Image1"))).center();
    EXPECT_NE(m_form->childAt(image), get(u"Image1"));
    EXPECT_NE(m_form->childAt(image), get(u"Image2"));
}

TEST_F(QtFormTest, ClickingAnIllustrationSelectsNothing)
{
    for (const window::Illustration &art : window::illustrations()) {
        click(art.picture);
        EXPECT_EQ(checkedOptions(), 0) << name(art.picture);
    }
    click(u"Option2");
    click(u"Picture1");
    EXPECT_TRUE(get<QRadioButton>(u"Option2")->isChecked());
}

TEST_F(QtFormTest, NoCaptionIsCutOff)
{
    for (const std::string &cutOff : captionsCutOff(*m_form))
        ADD_FAILURE() << cutOff;
}

TEST_F(QtFormTest, IllustrationsAreShownAtNaturalSizeFromTheInnerCorner)
{
    for (const window::Illustration &art : window::illustrations()) {
        SCOPED_TRACE(name(art.picture));
        auto *box = get<PictureBox>(art.picture);
        const QImage bitmap(
            QStringLiteral(":/art/%1.bmp").arg(QString::fromLatin1(art.file.data(), qsizetype(art.file.size()))));
        ASSERT_EQ(bitmap.size(), QSize(art.width, art.height));
        EXPECT_EQ(box->shownPixmap().size(), bitmap.size());
        EXPECT_EQ(box->frameShadow(), QFrame::Sunken);

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
}

TEST_F(QtFormTest, PictureBoxFramesAreTheStylesSunkenPanel)
{
    // The picture boxes draw their frame themselves; a plain frame of the same size,
    // palette and shape, drawn by the style, must come out the same on its two-pixel edge.
    for (const LayoutEntry &entry : window::layout()) {
        if (entry.controlClass != ControlClass::PictureBox)
            continue;
        SCOPED_TRACE(name(entry.name));
        auto *box = get<PictureBox>(entry.name);
        QFrame styled;
        styled.setFrameStyle(box->frameStyle());
        styled.setPalette(box->palette());
        styled.setAutoFillBackground(true);
        styled.resize(box->size());
        const QImage drawn = box->grab().toImage();
        const QImage expected = styled.grab().toImage();
        ASSERT_EQ(drawn.size(), expected.size());
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const bool edge = x < 2 || y < 2 || x >= drawn.width() - 2 || y >= drawn.height() - 2;
                if (edge) {
                    ASSERT_EQ(QColor(drawn.pixel(x, y)), QColor(expected.pixel(x, y))) << "at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(QtFormTest, OptionCirclesAreTheStylesOwn)
{
    // The options reuse one drawing of each look of their circle; Qt's own option
    // button of the same size and palette, drawn by the style, must show the same circle,
    // selected or not.
    get<QRadioButton>(u"Option7")->setChecked(true);
    for (const LayoutEntry &entry : window::layout()) {
        if (entry.controlClass != ControlClass::OptionButton)
            continue;
        SCOPED_TRACE(name(entry.name));
        auto *option = get<QRadioButton>(entry.name);
        QRadioButton plain;
        plain.setPalette(option->palette());
        plain.setAutoFillBackground(true);
        plain.setChecked(option->isChecked());
        plain.resize(option->size());
        QStyleOptionButton measure;
        measure.initFrom(&plain);
        const QRect circle = plain.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &measure, &plain);
        ASSERT_FALSE(circle.isEmpty());
        const QImage drawn = option->grab(circle).toImage();
        const QImage expected = plain.grab(circle).toImage();
        ASSERT_EQ(drawn.size(), expected.size());
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x)
                ASSERT_EQ(QColor(drawn.pixel(x, y)), QColor(expected.pixel(x, y))) << "at " << x << "," << y;
        }
    }
}

TEST_F(QtFormTest, ASpeciesNoteWorksBeforeTheTreeFormCommandWasUsed)
{
    selectRow(2);
    ASSERT_EQ(get<QListWidget>(u"List1")->selectedItems().first()->text(), QStringLiteral("スギ"));
    click(u"Command1");
    EXPECT_EQ(caption(u"Label3"), QStringLiteral("常緑針葉樹。自然分布としては、本州・四国・九州の冷温帯下部から，"
                                                 "植林などによる人為によって分布は暖温帯全体にまで広がっている"));
    EXPECT_EQ(caption(u"Label2"), QString());
}

TEST_F(QtFormTest, NoRowSelectedAfterCmdGoShowsTheEmptyNote)
{
    click(u"Option3");
    click(u"cmdGo");
    ASSERT_EQ(caption(u"Label3"), qs(window::kBlankCaption));
    click(u"Command1");
    EXPECT_EQ(caption(u"Label3"), QString()) << "the empty text, not five ideographic spaces";
}

TEST_F(QtFormTest, TheSelectionAndTheDescriptionSurviveTheNoteCommand)
{
    click(u"optNuman");
    click(u"cmdGo");
    selectRow(11); // プラタナス
    click(u"Command1");
    EXPECT_EQ(caption(u"Label3"), QStringLiteral("北米風落葉樹"));
    EXPECT_EQ(caption(u"Label2"), qs(catalogue::treeForms()[1].description));
    ASSERT_EQ(get<QListWidget>(u"List1")->selectedItems().size(), 1);
    EXPECT_EQ(get<QListWidget>(u"List1")->row(get<QListWidget>(u"List1")->selectedItems().first()), 11);
}

TEST_F(QtFormTest, EverySpeciesOfEveryFormShowsItsNote)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        click(form.option);
        click(u"cmdGo");
        for (std::size_t row = 0; row < form.species.size(); ++row) {
            get<QListWidget>(u"List1")->setCurrentRow(static_cast<int>(row));
            click(u"Command1");
            EXPECT_EQ(caption(u"Label3"), qs(*catalogue::findSpeciesNote(form.species[row])))
                << name(form.option) << " row " << row;
        }
    }
}

TEST_F(QtFormTest, AFailedOperationIsReportedAndTheWindowKeepsWorking)
{
    std::vector<window::ControlError> reported;
    m_form->controls().setReporter([&](const window::ControlError &error) { reported.push_back(error); });
    click(u"optRera");
    m_form->controls().failOperation(3); // clearing the list
    click(u"cmdGo");
    ASSERT_EQ(reported.size(), 1U);
    EXPECT_EQ(reported.front(), (window::ControlError{window::Operation::Clear, u"List1"}));
    EXPECT_EQ(caption(u"Label2"), qs(window::kBlankCaption)) << "earlier steps stay on screen";
    EXPECT_EQ(rows(), names(catalogue::treeForms().front().species));

    click(u"cmdGo");
    EXPECT_EQ(reported.size(), 1U);
    EXPECT_EQ(rows(), names(catalogue::treeForms()[2].species));
}

TEST_F(QtFormTest, TheErrorReportIsAJapaneseMessageBox)
{
    QString shownText;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shownText = box->text();
            box->close();
        }
    });
    m_form->controls().failOperation(1);
    click(u"Command1");
    EXPECT_TRUE(shownText.contains(QStringLiteral("実行時エラー"))) << shownText.toStdString();
    EXPECT_TRUE(shownText.contains(QStringLiteral("List1 (ListBox)")));
    EXPECT_TRUE(shownText.contains(QStringLiteral("ListIndex")));
    click(u"Command1");
    EXPECT_EQ(caption(u"Label3"), QString()) << "the window still works after the report";
}

} // namespace
} // namespace pemtos::qt
