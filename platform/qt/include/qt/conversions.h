// SPDX-License-Identifier: MIT
#pragma once

#include "window/colours.h"

#include <QColor>
#include <QString>

#include <string_view>

namespace pemtos::qt {

/// The window's UTF-16 text as a QString, code unit for code unit.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// The colour an OLE colour of the window's design stands for.
inline QColor toQColor(window::OleColour colour)
{
    const window::Rgb rgb = window::resolveColour(colour);
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace pemtos::qt
