// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <QFont>
#include <QStringList>

#include <string_view>

namespace pemtos::qt {

/// The faces tried for a face the window asks for: the face itself first, then
/// free faces close to it, ending in a Japanese Gothic every install has.
QStringList faceChain(std::u16string_view face);

/// The window's default font: a 9-point Japanese Gothic whose line fits the
/// 17-pixel option buttons.
QFont defaultFont();

/// The font a control sets, or the default font for nullptr.
QFont fontFor(const window::FontSpec *spec);

} // namespace pemtos::qt
