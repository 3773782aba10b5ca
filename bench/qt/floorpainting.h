// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>

class QPainter;
class QStyle;
class QWidget;

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

/// How a floor draws the controls' chrome: frames, bevels, option circles, the
/// list's frame and scroll bar, the picture boxes' panels and the focus frame.
enum class Chrome {
    Plain,  ///< plain lines and circles
    Styled, ///< as the program's first frame shows it, pixel for pixel, drawn the least costly way
};

/// What some of the window's controls show in its first frame, drawn the least
/// costly way: every text in the program's face, size, colour, wrapping and place,
/// each picture box's drawing, and the chrome, plain or as the style draws it. All
/// of it is in the window's coordinates.
class FloorPainting final {
public:
    FloorPainting(const QStyle &style, QPalette palette, Chrome chrome = Chrome::Plain);

    /// Adds what the control `entry` shows.
    void add(const window::LayoutEntry &entry);

    /// Paints what was added: chrome, texts, then drawings; `window` is the widget
    /// painted on, whose state the styled chrome is drawn in.
    void paint(QPainter &painter, const QWidget &window) const;

private:
    /// The chrome as the style draws it.
    void paintStyledChrome(QPainter &painter, const QWidget &window) const;

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

    /// A list box's frame and scroll bar.
    struct ListChrome {
        QRect box;
        QRect scrollBar; ///< empty when its rows fit
        int rows;
        int fitting; ///< rows that show whole
    };
    /// A command button's bevel.
    struct Bevel {
        QRect box;
        bool isDefault;
    };

    const QStyle *m_style; ///< measures the controls' parts
    QPalette m_palette;
    Chrome m_chrome;
    QList<Text> m_texts;
    QList<Drawing> m_drawings;
    QList<Fill> m_fills;
    QList<QRect> m_boxes;    ///< plain outlines: buttons, the list, the picture boxes
    QList<QRect> m_circles;  ///< the option buttons' indicators
    QList<QRect> m_frames;   ///< the frame's line, below its caption
    QList<QRect> m_captions; ///< the frame's caption, which its line leaves out
    QList<Bevel> m_bevels;
    QList<ListChrome> m_lists;
    QList<QRect> m_panels; ///< the picture boxes' sunken panels
    QRect m_focusFrame;    ///< round the caption of the option focused at start
};

} // namespace pemtos::bench
