// SPDX-License-Identifier: MIT
#include "floorpainting.h"

#include "qt/application.h"
#include "qt/bitmapfile.h"
#include "qt/classicchrome.h"
#include "qt/conversions.h"
#include "qt/fonts.h"
#include "window/illustrations.h"
#include "window/layout.h"
#include "window/navigation.h"
#include "window/stacking.h"

#include <QFontMetrics>
#include <QFrame>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionGroupBox>
#include <QStyleOptionSlider>

#include <algorithm>
#include <utility>

static void initFloorArtResources()
{
    Q_INIT_RESOURCE(floorart);
}

namespace pemtos::bench {
namespace {

using qt::toQColor;
using qt::toQString;

QImage drawingFor(std::u16string_view picture)
{
    const window::Illustration *art = window::findIllustration(picture);
    if (art == nullptr)
        return {};
    // Read where the resource lies, as the program does.
    return qt::readBitmap(
        QStringLiteral(":/floorart/%1.bmp").arg(QString::fromUtf8(art->file.data(), qsizetype(art->file.size()))));
}

} // namespace

QRect floorRect(const window::LayoutEntry &entry)
{
    const window::Rect rect = window::toPixels(window::windowRectTwips(entry));
    return {rect.left, rect.top, rect.width, rect.height};
}

QFont floorFont(const window::FontEntry *entry)
{
    QFont font = qt::fontFor(entry);
    font.setFamilies({font.families().constFirst()});
    return font;
}

QPalette floorPalette()
{
    QPalette palette = qt::classicPalette();
    const window::LayoutEntry &form = window::layout().front();
    if (form.backColour)
        palette.setColor(QPalette::Window, toQColor(*form.backColour));
    return palette;
}

FloorPainting::FloorPainting(const QStyle &style, QPalette palette, Chrome chrome)
    : m_style(&style), m_palette(std::move(palette)), m_chrome(chrome)
{
    initFloorArtResources();
}

void FloorPainting::add(const window::LayoutEntry &entry)
{
    const QRect box = floorRect(entry);
    const QFont font = floorFont(entry.font);
    const QString caption = toQString(entry.caption);
    const QColor text = entry.foreColour ? toQColor(*entry.foreColour) : m_palette.color(QPalette::WindowText);
    switch (entry.controlClass) {
    case window::ControlClass::Frame: {
        QStyleOptionGroupBox option;
        option.rect = QRect(QPoint(), box.size()); // the style measures from the frame's corner
        option.text = caption;
        option.fontMetrics = QFontMetrics(font);
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        option.textAlignment = Qt::AlignLeft;
        const QRect label = m_style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel);
        m_captions.append(label.translated(box.topLeft()));
        m_frames.append(
            m_style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame).translated(box.topLeft()));
        m_texts.append({label.translated(box.topLeft()), Qt::TextShowMnemonic | Qt::AlignHCenter | Qt::AlignLeft, font,
                        m_palette.color(QPalette::Text), caption, box});
        break;
    }
    case window::ControlClass::CommandButton: {
        QStyleOptionButton option;
        option.rect = box;
        if (entry.name == window::kDefaultButton)
            option.features = QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton;
        m_boxes.append(box.adjusted(0, 0, -1, -1));
        m_bevels.append({box, entry.name == window::kDefaultButton});
        m_texts.append({m_style->subElementRect(QStyle::SE_PushButtonContents, &option),
                        Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, font,
                        m_palette.color(QPalette::ButtonText), caption, box});
        break;
    }
    case window::ControlClass::OptionButton: {
        QStyleOptionButton option;
        option.rect = box;
        m_circles.append(m_style->subElementRect(QStyle::SE_RadioButtonIndicator, &option));
        constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        const QRect contents = m_style->subElementRect(QStyle::SE_RadioButtonContents, &option);
        m_texts.append({contents, kFlags, font, text, caption, box});
        // The window opens with the focus on its first Tab stop.
        if (window::tabStops().front() == &entry)
            m_focusFrame = QFontMetrics(font).boundingRect(contents, kFlags, caption).adjusted(-1, -1, 1, 1) & box;
        break;
    }
    case window::ControlClass::Label:
        if (!caption.isEmpty())
            m_texts.append({box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, font, text, caption, box});
        break;
    case window::ControlClass::ListBox: {
        m_boxes.append(box.adjusted(0, 0, -1, -1));
        const int frame = m_style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const int bar = m_style->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QRect viewport = box.adjusted(frame, frame, -frame - bar, -frame);
        m_fills.append({viewport, m_palette.color(QPalette::Base)});
        m_boxes.append(QRect(viewport.right() + 1, viewport.top(), bar, viewport.height()).adjusted(0, 0, -1, -1));
        const int rows = static_cast<int>(window::initialRows(entry).size());
        const int fitting = std::max(viewport.height() / QFontMetrics(font).height(), 1);
        m_lists.append({box,
                        rows > fitting ? QRect(viewport.right() + 1, viewport.top(), bar, viewport.height()) : QRect(),
                        rows, fitting});
        const int margin = m_style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        const int rowHeight = QFontMetrics(font).height();
        int top = viewport.top();
        // Only the rows that show.
        for (std::u16string_view row : window::initialRows(entry)) {
            if (top > viewport.bottom())
                break;
            m_texts.append({QRect(viewport.left() + margin, top, viewport.width() - 2 * margin, rowHeight),
                            Qt::AlignLeft | Qt::AlignVCenter, font, m_palette.color(QPalette::Text), toQString(row),
                            viewport});
            top += rowHeight;
        }
        break;
    }
    case window::ControlClass::PictureBox: {
        m_boxes.append(box.adjusted(0, 0, -1, -1));
        m_panels.append(box);
        const QImage image = drawingFor(entry.name);
        if (!image.isNull())
            m_drawings.append({box.adjusted(2, 2, -2, -2), image});
        break;
    }
    case window::ControlClass::Image:
    case window::ControlClass::Form:
        break;
    }
}

void FloorPainting::paint(QPainter &painter, const QWidget &window) const
{
    for (const Fill &fill : m_fills)
        painter.fillRect(fill.rect, fill.colour);
    if (m_chrome == Chrome::Styled) {
        paintStyledChrome(painter, window);
    } else {
        painter.setPen(m_palette.color(QPalette::Dark));
        for (const QRect &frame : m_frames)
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
        for (const QRect &box : m_boxes)
            painter.drawRect(box);
        for (const QRect &circle : m_circles)
            painter.drawEllipse(circle.adjusted(0, 0, -1, -1));
    }
    for (const Text &text : m_texts) {
        painter.setFont(text.font);
        painter.setPen(text.colour);
        // Each text is cut off at its control, as a widget's painting is.
        painter.setClipRect(text.clip);
        painter.drawText(text.rect, text.flags, text.text);
    }
    painter.setClipping(false);
    for (const Drawing &drawing : m_drawings)
        painter.drawImage(drawing.box.topLeft(), drawing.image,
                          QRect(QPoint(), drawing.box.size()).intersected(drawing.image.rect()));
    if (m_chrome == Chrome::Styled && m_focusFrame.isValid()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(&window);
        focus.state |= QStyle::State_HasFocus;
        focus.rect = m_focusFrame;
        // The dots are the opposite of the option's background, which a widget's painter has.
        focus.backgroundColor = m_palette.color(QPalette::Window);
        m_style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &window);
    }
}

void FloorPainting::paintStyledChrome(QPainter &painter, const QWidget &window) const
{
    // The frame's line, the picture boxes' panels, the buttons' bevels and the lists'
    // edges filled as the program fills them.
    for (qsizetype frame = 0; frame < m_frames.size(); ++frame)
        qt::fillEtchedLine(painter, m_frames.at(frame), m_captions.at(frame), m_palette);
    for (const QRect &panel : m_panels)
        qt::fillSunkenPanel(painter, panel, m_palette);

    // Each control's part drawn by the style from the control's own corner, with an
    // option of the window's state and the program's colours.
    const auto fromCorner = [&painter](const QRect &box, const auto &draw) {
        painter.save();
        painter.translate(box.topLeft());
        draw(QRect(QPoint(), box.size()));
        painter.restore();
    };
    const auto optionFor = [&](auto option, const QRect &rect) {
        option.initFrom(&window);
        option.rect = rect;
        option.palette = m_palette;
        return option;
    };
    for (const Bevel &bevel : m_bevels) {
        QRect face = bevel.box;
        if (bevel.isDefault) {
            fromCorner(bevel.box, [&](const QRect &rect) {
                auto option = optionFor(QStyleOptionButton(), rect);
                option.features = QStyleOptionButton::DefaultButton;
                m_style->drawPrimitive(QStyle::PE_FrameDefaultButton, &option, &painter, &window);
            });
            const int outline = m_style->pixelMetric(QStyle::PM_ButtonDefaultIndicator);
            face.adjust(outline, outline, -outline, -outline);
        }
        qt::fillRaisedButton(painter, face, m_palette);
    }
    for (const ListChrome &list : m_lists) {
        qt::fillSunkenField(painter, list.box, m_palette);
        if (list.scrollBar.isEmpty())
            continue;
        fromCorner(list.scrollBar, [&](const QRect &rect) {
            auto bar = optionFor(QStyleOptionSlider(), rect);
            bar.orientation = Qt::Vertical;
            bar.maximum = list.rows - list.fitting;
            bar.pageStep = list.fitting;
            bar.subControls = QStyle::SC_All;
            m_style->drawComplexControl(QStyle::CC_ScrollBar, &bar, &painter, &window);
        });
    }
    // The options show one look of the circle: drawn once and placed fourteen times.
    if (m_circles.isEmpty())
        return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    QPixmap circle(m_circles.constFirst().size() * ratio);
    circle.setDevicePixelRatio(ratio);
    circle.fill(m_palette.color(QPalette::Window));
    {
        QPainter circlePainter(&circle);
        QStyleOptionButton option;
        option.initFrom(&window);
        option.rect = QRect(QPoint(), m_circles.constFirst().size());
        option.palette = m_palette;
        option.state |= QStyle::State_Off;
        m_style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &circlePainter, &window);
    }
    for (const QRect &place : m_circles)
        painter.drawPixmap(place.topLeft(), circle);
}

} // namespace pemtos::bench
