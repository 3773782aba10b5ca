// SPDX-License-Identifier: MIT
// Run with a font set that holds a single Japanese font and none of the faces the
// window asks for (FONTCONFIG_FILE), naming that font's family in
// PEMTOS_TEST_FONT_FAMILY: every control must resolve to it, and every text the
// window can show must have its glyphs there, so nothing is drawn as a box.
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "window/controlerror.h"
#include "window/handlers.h"
#include "window/layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace pemtos::qt {
namespace {

class FontCoverageTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_family = qEnvironmentVariable("PEMTOS_TEST_FONT_FAMILY");
        if (m_family.isEmpty() || !qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
            GTEST_SKIP() << "needs FONTCONFIG_FILE and PEMTOS_TEST_FONT_FAMILY (ctest sets both)";
        m_form = std::make_unique<QtForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    /// Every text each control can show, by control: its caption, and what the buttons
    /// put into the list and the two output labels.
    std::map<std::u16string_view, QStringList> textsByControl() const
    {
        std::map<std::u16string_view, QStringList> texts;
        for (const window::LayoutEntry &entry : window::layout()) {
            if (!entry.caption.empty())
                texts[entry.name] << qs(entry.caption);
        }
        QStringList &rows = texts[u"List1"];
        QStringList &descriptions = texts[u"Label2"];
        descriptions << qs(window::kBlankCaption);
        for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
            descriptions << qs(form.description);
            for (std::u16string_view name : form.species)
                rows << qs(name);
        }
        QStringList &notes = texts[u"Label3"];
        for (const catalogue::SpeciesNote &row : catalogue::speciesNotes())
            notes << qs(row.note);
        return texts;
    }

    QString m_family;
    std::unique_ptr<QtForm> m_form;
};

TEST_F(FontCoverageTest, NoRequestedFaceIsInstalledAndEveryControlUsesTheOneThatIs)
{
    const QStringList installed = QFontDatabase::families();
    for (const char *requested : {"ＭＳ Ｐゴシック", "MS PGothic", "HGP創英角ポップ体", "HGPSoeiKakupoptai"})
        EXPECT_FALSE(installed.contains(QString::fromUtf8(requested))) << requested;
    ASSERT_TRUE(installed.contains(m_family)) << "the font set does not hold " << m_family.toStdString();

    for (const window::LayoutEntry &entry : window::layout())
        EXPECT_EQ(QFontInfo(shownFont(*m_form, entry.name)).family().toStdString(), m_family.toStdString())
            << name(entry.name);
    EXPECT_EQ(QFontInfo(QApplication::font()).family().toStdString(), m_family.toStdString()) << "message boxes";
}

TEST_F(FontCoverageTest, EveryCharacterOfEveryTextHasAGlyph)
{
    std::map<std::u16string_view, QStringList> texts = textsByControl();
    // The run-time error report is a message box in the application's font.
    constexpr std::u16string_view kReport;
    QStringList &report = texts[kReport];
    report << qs(window::errorReportTitle());
    for (const window::Operation operation :
         {window::Operation::CaptionSet, window::Operation::Clear, window::Operation::AddItem,
          window::Operation::ListIndexGet, window::Operation::ListGet, window::Operation::ValueGet})
        report << qs(window::errorReportText({operation, u"List1"}));

    int checked = 0;
    for (const auto &[control, strings] : texts) {
        const QFont font = control == kReport ? QApplication::font() : shownFont(*m_form, control);
        const QFontMetrics metrics(font);
        std::set<char32_t> missing;
        for (const QString &text : strings) {
            for (const char32_t character : text.toUcs4()) {
                if (character == U'\n')
                    continue;
                ++checked;
                if (!metrics.inFontUcs4(character))
                    missing.insert(character);
            }
        }
        QString shown;
        for (const char32_t character : missing)
            shown +=
                QString::fromUcs4(&character, 1) + QStringLiteral(" U+%1 ").arg(character, 4, 16, QLatin1Char('0'));
        EXPECT_TRUE(missing.empty()) << (control == kReport ? std::string("error report") : name(control)) << " in "
                                     << QFontInfo(font).family().toStdString() << " lacks: " << shown.toStdString();
    }
    EXPECT_GT(checked, 3000) << "every caption, row, description and note was looked at";
}

TEST_F(FontCoverageTest, TheDrawnWindowShowsInk)
{
    // A window whose text failed to draw would show the labels' background only.
    ASSERT_TRUE(m_form->controls().setCaption(u"Label3", catalogue::speciesNotes().front().note));
    for (std::u16string_view control : {u"Label1", u"Label3", u"Label4", u"Label10", u"Label12"}) {
        const QImage image = m_form->grab(shownRect(*m_form, control)).toImage();
        const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixel(x, y) != background ? 1 : 0;
        }
        EXPECT_GT(ink, 40) << name(control);
    }
}

} // namespace
} // namespace pemtos::qt
