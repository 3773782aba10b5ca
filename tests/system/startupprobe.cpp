// SPDX-License-Identifier: MIT
// Starts exactly as the program does, then closes the window as soon as it is
// shown and says so on stdout, so that tests can watch the start-up in
// environments where the real program would keep running until closed by hand.
#include "qt/startup.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    return pemtos::qt::runProgram(argc, argv, [](QWidget &window) {
        std::printf("shown: %s\n", window.isVisible() ? "visible" : "hidden");
        std::fflush(stdout);
        QTimer::singleShot(0, &window, &QWidget::close);
    });
}
