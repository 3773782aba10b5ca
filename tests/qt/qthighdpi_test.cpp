// SPDX-License-Identifier: MIT
// The window on high-density screens. ctest runs this once at each device pixel
// ratio (QT_SCALE_FACTOR 1, 1.25, 1.5 and 2): the window must keep its proportions,
// fit its captions and draw the illustrations from their double-size drawings.
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "captionfit.h"
#include "qt/picturebox.h"
#include "window/illustrations.h"

#include <QImage>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace pemtos::qt {
namespace {

class QtHighDpiTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    [[nodiscard]] double ratio() const { return m_form->devicePixelRatioF(); }

    /// The window as it paints itself onto the screen, in device pixels. (The offscreen
    /// screen's own grab crops a scaled window to its size in logical pixels.)
    [[nodiscard]] QImage onScreen() const { return m_form->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<QtForm> m_form;
};

TEST_F(QtHighDpiTest, RunsAtTheRatioItWasStartedWith)
{
    EXPECT_DOUBLE_EQ(ratio(), qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
}

TEST_F(QtHighDpiTest, TheWindowKeepsItsProportions)
{
    const QImage shown = onScreen();
    EXPECT_EQ(shown.size(),
              QSize(static_cast<int>(std::lround(955 * ratio())), static_cast<int>(std::lround(624 * ratio()))));
    for (const window::LayoutEntry &entry : window::layout()) {
        if (entry.controlClass == window::ControlClass::Form)
            continue;
        const window::Rect designed = window::toPixels(window::windowRectTwips(entry));
        EXPECT_EQ(shownRect(*m_form, entry.name), QRect(designed.left, designed.top, designed.width, designed.height))
            << name(entry.name);
    }
}

TEST_F(QtHighDpiTest, NoCaptionIsCutOff)
{
    for (const std::string &cutOff : captionsCutOff(*m_form))
        ADD_FAILURE() << cutOff << " at ratio " << ratio();
}

TEST_F(QtHighDpiTest, IllustrationsAreDrawnFromTheDrawingMadeForTheScreen)
{
    const bool doubleSize = ratio() > 1.0;
    const QImage shown = onScreen();
    for (const window::Illustration &art : window::illustrations()) {
        SCOPED_TRACE(name(art.picture));
        auto *box = qobject_cast<PictureBox *>(m_form->control(art.picture));
        ASSERT_NE(box, nullptr);
        const int scale = doubleSize ? 2 : 1;
        EXPECT_EQ(box->shownPixmap().size(), QSize(art.width, art.height) * scale);
        EXPECT_DOUBLE_EQ(box->shownPixmap().devicePixelRatio(), scale);

        // Only at whole ratios does a drawing pixel land on exactly one screen pixel.
        if (ratio() != std::floor(ratio()))
            continue;
        const QImage drawing(QStringLiteral(":/art/%1%2.bmp")
                                 .arg(QString::fromLatin1(art.file.data(), static_cast<qsizetype>(art.file.size())),
                                      doubleSize ? QStringLiteral("@2x") : QString()));
        ASSERT_EQ(drawing.size(), QSize(art.width, art.height) * scale);
        const QRect inner(box->mapTo(m_form.get(), box->contentsRect().topLeft()) * ratio(),
                          box->contentsRect().size() * ratio());
        int compared = 0;
        for (int y = 0; y < inner.height() && y < drawing.height(); y += 3) {
            for (int x = 0; x < inner.width() && x < drawing.width(); x += 3) {
                ASSERT_EQ(QColor(shown.pixel(inner.left() + x, inner.top() + y)), QColor(drawing.pixel(x, y)))
                    << "at " << x << "," << y << " of the " << scale << "x drawing";
                ++compared;
            }
        }
        EXPECT_GT(compared, 100);
    }
}

TEST_F(QtHighDpiTest, LabelsDrawnByTheirContainerAreDrawnAsQLabelDrawsThem)
{
    // The captions that never change are drawn on their container's surface; a plain
    // QLabel of the same size, font, colours and wrapping must come out the same.
    if (ratio() != std::floor(ratio()))
        GTEST_SKIP() << "a whole ratio only";
    int compared = 0;
    for (const window::LayoutEntry &entry : window::layout()) {
        const WindowlessControls::Control *drawn = m_form->drawnControl(entry.name);
        if (drawn == nullptr || drawn->caption.isEmpty())
            continue;
        SCOPED_TRACE(name(entry.name));
        QLabel label(drawn->caption);
        label.setFont(drawn->font);
        QPalette palette = drawn->container->palette();
        palette.setColor(QPalette::WindowText, drawn->text);
        label.setPalette(palette);
        label.setAutoFillBackground(true);
        label.setWordWrap(true);
        label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label.resize(drawn->rect.size());
        const QImage expected = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The container alone, without the widgets above it.
        QImage drawnImage(drawn->rect.size() * ratio(), QImage::Format_RGB32);
        drawnImage.setDevicePixelRatio(ratio());
        drawn->container->render(&drawnImage, QPoint(), QRegion(drawn->rect), QWidget::DrawWindowBackground);
        EXPECT_EQ(pixelDifference(drawnImage, expected), "");
        ++compared;
    }
    EXPECT_EQ(compared, 5);
}

} // namespace
} // namespace pemtos::qt
