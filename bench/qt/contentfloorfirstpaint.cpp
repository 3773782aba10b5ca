// SPDX-License-Identifier: MIT
// The content floor: the least Qt program that draws the window's first frame's
// content (its texts, faces, sizes, wrapping and drawings) in one widget, ending
// after its first frame like pemtos_firstpaint. Built with plain chrome and, as the
// pixel floor (PEMTOS_FLOOR_STYLED_CHROME), with the program's own chrome.
#include "contentfloor.h"
#include "firstpaintprobe.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    constexpr auto kChrome =
        PEMTOS_FLOOR_STYLED_CHROME != 0 ? pemtos::bench::Chrome::Styled : pemtos::bench::Chrome::Plain;
    pemtos::bench::ContentFloor window(kChrome);
    window.show();
    pemtos::bench::quitAfterFirstPaint(window);
    return QApplication::exec();
}
