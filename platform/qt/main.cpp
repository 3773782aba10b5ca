// SPDX-License-Identifier: MIT
#include "platform/qt/application.h"
#include "platform/qt/qtform.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const auto problem = pemtos::qt::displayProblem()) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }
    // The program takes no command line: Qt is shown only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    pemtos::qt::setUpApplication();

    pemtos::qt::QtForm form;
    form.show();
    return QApplication::exec();
}
