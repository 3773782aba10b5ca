// SPDX-License-Identifier: MIT
// Runs GoogleTest inside a Qt application set up like the program's own.
#include "qt/application.h"

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    // Offscreen unless the caller chose a platform (e.g. xcb under Xvfb to watch).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    pemtos::qt::setUpApplication();
    return RUN_ALL_TESTS();
}
