// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>

class QPainter;
class QStyle;

namespace pemtos::window {
struct FontEntry;
struct LayoutEntry;
} // namespace pemtos::window

namespace pemtos::bench {

/// The program's font for `entry` (the default font for nullptr), asked for by the
/// one face its chain resolves to here.
QFont floorFont(const window::FontEntry *entry);

/// `entry`'s rectangle in the window, in device-independent pixels.
QRect floorRect(const window::LayoutEntry &entry);

/// The program's palette, with the window's own background.
QPalette floorPalette();

/// What some of the window's controls show in its first frame, drawn the least
/// costly way: every text in the program's face, size, colour, wrapping and place,
/// each picture box's drawing, and plain lines and circles for the chrome. All of
/// it is in the window's coordinates.
class FloorPainting final {
public:
    FloorPainting(const QStyle &style, QPalette palette);

    /// Adds what the control `entry` shows.
    void add(const window::LayoutEntry &entry);

    /// Paints what was added: outlines, circles, texts, then drawings.
    void paint(QPainter &painter) const;

private:
    /// One text as the program places it.
    struct Text {
        QRect rect;
        int flags;
        QFont font;
        QColor colour;
        QString text;
        QRect clip; ///< the part of its control that shows, where it is cut off
    };
    /// One drawing, at natural size from its box's inner corner, cut off at the box.
    struct Drawing {
        QRect box;
        QImage image;
    };
    /// A background of its own, under the texts.
    struct Fill {
        QRect rect;
        QColor colour;
    };

    const QStyle *m_style; ///< measures the controls' parts
    QPalette m_palette;
    QList<Text> m_texts;
    QList<Drawing> m_drawings;
    QList<Fill> m_fills;
    QList<QRect> m_boxes;   ///< plain outlines: buttons, the list, the picture boxes
    QList<QRect> m_circles; ///< the option buttons' indicators
    QList<QRect> m_frames;  ///< the frame's line, below its caption
};

} // namespace pemtos::bench
