// SPDX-License-Identifier: MIT
#pragma once

#include "floorpainting.h"

#include <QWidget>

namespace pemtos::bench {

/// What the window must draw at the least: one widget whose one paint event draws
/// every text of the layout table in the same faces, sizes, colours, wrapping and
/// places as the program, the fourteen drawings, and the chrome: plain lines, or
/// the program's own chrome, which makes its first frame the program's pixel for
/// pixel. It has no child widgets, no accessibility, and asks for each face by the
/// one family the program's chain resolves to here.
class ContentFloor final : public QWidget {
public:
    explicit ContentFloor(Chrome chrome = Chrome::Plain);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPalette m_palette;
    FloorPainting m_painting;
};

} // namespace pemtos::bench
