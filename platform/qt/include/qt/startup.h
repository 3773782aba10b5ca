// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <functional>

namespace pemtos::qt {

/// The whole program: checks that a window can be shown here, starts Qt, shows the
/// window and runs until it is closed; returns the exit status. Where no window can
/// be shown it says why in one line on stderr and returns non-zero, without Qt's
/// abort. `shown`, when given, is called once the window is shown.
int runProgram(int argc, char *argv[], const std::function<void(QWidget &window)> &shown = {});

} // namespace pemtos::qt
