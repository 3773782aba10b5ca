// SPDX-License-Identifier: MIT
#include "contentfloor.h"

#include "qt/conversions.h"
#include "window/layout.h"

#include <QPainter>

namespace pemtos::bench {

ContentFloor::ContentFloor(Chrome chrome) : m_palette(floorPalette()), m_painting(*style(), m_palette, chrome)
{
    // Every pixel is painted below: Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const window::LayoutEntry &entry : window::layout()) {
        if (entry.controlClass == window::ControlClass::Form) {
            setWindowTitle(qt::toQString(entry.caption));
            setFixedSize(window::twipsToPixels(entry.width), window::twipsToPixels(entry.height));
            continue;
        }
        m_painting.add(entry);
    }
}

void ContentFloor::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_palette.color(QPalette::Window));
    m_painting.paint(painter, *this);
}

} // namespace pemtos::bench
