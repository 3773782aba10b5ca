// SPDX-License-Identifier: MIT
// The widget floor: the content floor's first frame, with real Qt widgets only for
// the controls the keyboard, the focus and screen readers work through, ending
// after its first frame like pemtos_firstpaint. Built with the picture boxes
// painted by the window or as focusable widgets (PEMTOS_FLOOR_PICTURE_WIDGETS).
#include "firstpaintprobe.h"
#include "widgetfloor.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    constexpr auto kPictureBoxes = PEMTOS_FLOOR_PICTURE_WIDGETS != 0 ? pemtos::bench::PictureBoxes::Controls
                                                                     : pemtos::bench::PictureBoxes::Painted;
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    pemtos::bench::WidgetFloor window(kPictureBoxes);
    window.show();
    pemtos::bench::quitAfterFirstPaint(window);
    return QApplication::exec();
}
