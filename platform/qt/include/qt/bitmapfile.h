// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace pemtos::qt {

/// The picture in `data` when it is an uncompressed 24-bit BMP file, the form the
/// illustrations are stored in, as Qt's own reader would give it (RGB32, same
/// resolution); a null image for anything else.
///
/// Qt's image reader loads and asks every image format plugin installed before it
/// reads a BMP file itself, which costs the window's first frame time and memory.
QImage decodeBitmap24(const QByteArray &data);

/// The picture in the file `path`: decoded here when it is a 24-bit BMP file, by
/// Qt's image reader otherwise. A null image when it cannot be read.
QImage readBitmap(const QString &path);

} // namespace pemtos::qt
