// SPDX-License-Identifier: MIT
// The floor for the program's start-up: the least a Qt Widgets program does to show
// one window with one Japanese label in the same style, so that it pays for loading
// the toolkit, a Japanese font and the style, and for nothing else.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QLabel>
#include <QStyleFactory>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QWidget window;
    window.setWindowTitle(QStringLiteral("樹形から調べる樹木名と特徴"));
    QLabel label(QStringLiteral("樹形から調べる樹木名と特徴"), &window);
    label.move(20, 20);
    window.resize(955, 624);
    window.show();
    pemtos::bench::quitAfterFirstPaint(window);
    return QApplication::exec();
}
