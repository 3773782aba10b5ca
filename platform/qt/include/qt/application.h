// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QIcon>
#include <QPalette>

#include <optional>
#include <string>

namespace pemtos::qt {

/// Why no window can be shown here, or no value when a display is reachable.
std::optional<std::string> displayProblem();

/// The classic Windows colour scheme the window was drawn in, as a palette.
QPalette classicPalette();

/// Gives the application the window's classic look: the classic Windows style and
/// palette, and the default Japanese font.
void setUpApplication();

/// The program's icon, in the sizes it is drawn in.
QIcon programIcon();

/// Gives the application its icon as soon as `window` has drawn its first frame.
void giveIconAfterFirstFrame(QWidget &window);

} // namespace pemtos::qt
