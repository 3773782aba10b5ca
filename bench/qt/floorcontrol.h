// SPDX-License-Identifier: MIT
#pragma once

#include "floorpainting.h"

#include <QPainter>
#include <QWidget>

namespace pemtos::bench {

/// A real widget of the class `Widget`, whose keyboard, focus and accessibility
/// are Qt's own, that paints what the content floor paints for its control.
template <class Widget> class FloorControl final : public Widget {
public:
    /// The control `entry` in `window`, which it must be a direct child of.
    FloorControl(const window::LayoutEntry &entry, const QPalette &palette, QWidget &window)
        : Widget(&window), m_painting(*window.style(), palette)
    {
        m_painting.add(entry);
    }

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        // The painting is laid out in the window's coordinates.
        painter.translate(-this->pos());
        m_painting.paint(painter, *this);
    }

private:
    FloorPainting m_painting;
};

} // namespace pemtos::bench
