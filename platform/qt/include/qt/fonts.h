// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <QFont>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace pemtos::qt {

/// The faces tried for a face the window asks for: the face itself first, then
/// free faces close to it, ending in a Japanese Gothic every install has.
QStringList faceChain(std::u16string_view face);

/// The window's default font: a 9-point Japanese Gothic whose line fits the
/// 17-pixel option buttons.
QFont defaultFont();

/// The font a control sets, or the default font for nullptr, over its face's whole chain.
QFont fontFor(const window::FontEntry *entry);

/// The same font for showing `text`: asked for by the first installed face of the
/// chain alone where that face has every character of `text`, over the whole chain
/// where it lacks one (and wherever no face of the chain is installed).
QFont fontFor(const window::FontEntry *entry, QStringView text);

/// One line telling the user which package to install when no installed face can
/// show Japanese in the default font, so that every caption would be boxes; no value
/// when the text can be shown.
std::optional<std::string> japaneseFontProblem();

} // namespace pemtos::qt
