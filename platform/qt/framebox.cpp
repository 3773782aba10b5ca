// SPDX-License-Identifier: MIT
#include "framebox.h"

#include <QPainter>
#include <QRegion>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace pemtos::qt {

FrameBox::FrameBox(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

void FrameBox::drawEtchedLine(QPainter &painter, const QRect &frame, const QRect &caption) const
{
    // A sunken outline one pixel wide: dark along the outer rectangle short of the
    // bottom and right pixel, light inside it at the top and left and outside it at
    // the bottom and right, as the style's shaded rectangle draws it.
    const int x = frame.x();
    const int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    if (w < 4 || h < 4)
        return;
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const struct {
        QRect line;
        const QColor &colour;
    } lines[] = {
        {{x, y, w - 1, 1}, dark},         {{x, y + h - 2, w - 1, 1}, dark},  {{x, y, 1, h - 1}, dark},
        {{x + w - 2, y, 1, h - 1}, dark}, {{x + 1, y + 1, w - 3, 1}, light}, {{x + 1, y + 2, 1, h - 4}, light},
        {{x, y + h - 1, w, 1}, light},    {{x + w - 1, y, 1, h - 1}, light},
    };
    for (const auto &[line, colour] : lines) {
        // The caption stands in a gap of the line.
        for (const QRect &piece : QRegion(line).subtracted(caption))
            painter.fillRect(piece, colour);
    }
}

void FrameBox::paintEvent(QPaintEvent *event)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const bool plainEtchedLine = devicePixelRatioF() == 1.0 && option.lineWidth == 1 && option.midLineWidth == 0 &&
                                 !(option.features & QStyleOptionFrame::Flat) && !isCheckable();
    if (!plainEtchedLine) {
        QGroupBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    const QRect frame = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    const QRect caption = option.text.isEmpty()
                              ? QRect()
                              : style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    drawEtchedLine(painter, frame, caption);
    // The style draws the caption, and nothing else once the frame is left out.
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace pemtos::qt
