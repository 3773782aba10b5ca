// SPDX-License-Identifier: MIT
#include "qt/classicchrome.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QRegion>

namespace pemtos::qt {

namespace {

/// The classic two-pixel edge of `frame`: `outerTopLeft` and `innerTopLeft` along the
/// top and left, `outerBottomRight` and `innerBottomRight` along the bottom and right,
/// each an L, and `inside` (when given) filling what they enclose.
void fillShades(QPainter &painter, const QRect &frame, const QColor &outerTopLeft, const QColor &outerBottomRight,
                const QColor &innerTopLeft, const QColor &innerBottomRight, const QBrush *inside)
{
    const int x = frame.x();
    const int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    if (w < 2 || h < 2)
        return;
    painter.fillRect(x, y, 1, h - 1, outerTopLeft);
    painter.fillRect(x, y, w - 1, 1, outerTopLeft);
    painter.fillRect(x, y + h - 1, w, 1, outerBottomRight);
    painter.fillRect(x + w - 1, y, 1, h, outerBottomRight);
    if (w > 4 && h > 4) {
        painter.fillRect(x + 1, y + 1, 1, h - 3, innerTopLeft);
        painter.fillRect(x + 1, y + 1, w - 3, 1, innerTopLeft);
        painter.fillRect(x + 1, y + h - 2, w - 2, 1, innerBottomRight);
        painter.fillRect(x + w - 2, y + 1, 1, h - 2, innerBottomRight);
        if (inside != nullptr)
            painter.fillRect(x + 2, y + 2, w - 4, h - 4, *inside);
    }
}

} // namespace

void fillSunkenPanel(QPainter &painter, const QRect &frame, const QPalette &colours)
{
    fillShades(painter, frame, colours.color(QPalette::Dark), colours.color(QPalette::Light),
               colours.color(QPalette::Shadow), colours.color(QPalette::Midlight), nullptr);
}

void fillSunkenField(QPainter &painter, const QRect &frame, const QPalette &colours)
{
    fillShades(painter, frame, colours.color(QPalette::Dark), colours.color(QPalette::Light),
               colours.color(QPalette::Shadow), colours.color(QPalette::Button), nullptr);
}

void fillRaisedButton(QPainter &painter, const QRect &button, const QPalette &colours)
{
    fillShades(painter, button, colours.color(QPalette::Light), colours.color(QPalette::Shadow),
               colours.color(QPalette::Button), colours.color(QPalette::Dark), &colours.brush(QPalette::Button));
}

void fillEtchedLine(QPainter &painter, const QRect &frame, const QRect &caption, const QPalette &colours)
{
    const int x = frame.x();
    const int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    if (w < 4 || h < 4)
        return;
    const QColor dark = colours.color(QPalette::Dark);
    const QColor light = colours.color(QPalette::Light);
    const struct {
        QRect line;
        const QColor &colour;
    } lines[] = {
        {{x, y, w - 1, 1}, dark},         {{x, y + h - 2, w - 1, 1}, dark},  {{x, y, 1, h - 1}, dark},
        {{x + w - 2, y, 1, h - 1}, dark}, {{x + 1, y + 1, w - 3, 1}, light}, {{x + 1, y + 2, 1, h - 4}, light},
        {{x, y + h - 1, w, 1}, light},    {{x + w - 1, y, 1, h - 1}, light},
    };
    // Each piece is filled through a clip of its own: a frame's painting is cut
    // round every control it holds, and a line filled through all those holes is
    // clipped against each of them on every row of pixels it crosses.
    painter.save();
    for (const auto &[line, colour] : lines) {
        // The caption stands in a gap of the line.
        for (const QRect &piece : QRegion(line).subtracted(caption)) {
            painter.setClipRect(piece);
            painter.fillRect(piece, colour);
        }
    }
    painter.restore();
}

} // namespace pemtos::qt
