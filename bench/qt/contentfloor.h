// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QWidget>

namespace pemtos::window {
struct LayoutEntry;
}

namespace pemtos::bench {

/// What the window must draw at the least: one widget whose one paint event draws
/// every text of the layout table in the same faces, sizes, colours, wrapping and
/// places as the program, the fourteen drawings, and plain lines for the chrome.
/// It has no child widgets, no accessibility, and asks for each face by the one
/// family the program's chain resolves to here.
class ContentFloor final : public QWidget {
public:
    ContentFloor();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// One text as the program places it.
    struct Text {
        QRect rect;
        int flags;
        QFont font;
        QColor colour;
        QString text;
        QRect clip; ///< the control's area, where it is cut off
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

    void addControl(const window::LayoutEntry &entry);

    QPalette m_palette;
    QList<Text> m_texts;
    QList<Drawing> m_drawings;
    QList<Fill> m_fills;
    QList<QRect> m_boxes;   ///< plain outlines: buttons, the list, the picture boxes
    QList<QRect> m_circles; ///< the option buttons' indicators
    QRect m_frame;          ///< the frame's line, below its caption
};

} // namespace pemtos::bench
