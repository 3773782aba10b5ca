// SPDX-License-Identifier: MIT
#pragma once

#include "floorpainting.h"
#include "floorwindows.h"

#include <QWidget>

namespace pemtos::window {
struct LayoutEntry;
}

namespace pemtos::bench {

/// The content floor with real Qt widgets, at their places, for the controls the
/// keyboard, the focus and screen readers work through: the option buttons (one
/// exclusive group), the two command buttons, the species list (a focusable widget
/// that paints what the content floor paints for it), the two labels the commands
/// write to, and, when asked, the picture boxes, which are Tab stops. The window
/// paints everything else, as the content floor does. The widgets keep the designed
/// focus order and the accessible names; no click or key is handled.
class WidgetFloor final : public QWidget {
public:
    /// `pictureBoxes`: whether the picture boxes are widgets of their own or painted by the window.
    explicit WidgetFloor(PictureBoxes pictureBoxes);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// A new widget for `entry`, at its place.
    QWidget *createControl(const window::LayoutEntry &entry);

    QPalette m_palette;
    FloorPainting m_painting; ///< the controls that are no widgets
};

} // namespace pemtos::bench
