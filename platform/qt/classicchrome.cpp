// SPDX-License-Identifier: MIT
#include "qt/classicchrome.h"

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QRegion>

namespace pemtos::qt {

void fillSunkenPanel(QPainter &painter, const QRect &frame, const QPalette &colours)
{
    const int x = frame.x();
    const int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    if (w < 2 || h < 2)
        return;
    painter.fillRect(x, y, 1, h - 1, colours.color(QPalette::Dark));
    painter.fillRect(x, y, w - 1, 1, colours.color(QPalette::Dark));
    painter.fillRect(x, y + h - 1, w, 1, colours.color(QPalette::Light));
    painter.fillRect(x + w - 1, y, 1, h, colours.color(QPalette::Light));
    if (w > 4 && h > 4) {
        painter.fillRect(x + 1, y + 1, 1, h - 3, colours.color(QPalette::Shadow));
        painter.fillRect(x + 1, y + 1, w - 3, 1, colours.color(QPalette::Shadow));
        painter.fillRect(x + 1, y + h - 2, w - 2, 1, colours.color(QPalette::Midlight));
        painter.fillRect(x + w - 2, y + 1, 1, h - 2, colours.color(QPalette::Midlight));
    }
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
