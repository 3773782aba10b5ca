// SPDX-License-Identifier: MIT
// The content floor: the least Qt program that draws the window's first frame's
// content (its texts, faces, sizes, wrapping and drawings) in one widget, ending
// after its first frame like pemtos_firstpaint.
#include "contentfloor.h"
#include "firstpaintprobe.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    pemtos::bench::ContentFloor window;
    window.show();
    pemtos::bench::quitAfterFirstPaint(window);
    return QApplication::exec();
}
