// SPDX-License-Identifier: MIT
#include "qt/bitmapfile.h"

#include <QFile>
#include <QImageReader>
#include <QResource>

#include <cstdint>
#include <cstdlib>

namespace pemtos::qt {
namespace {

// BITMAPFILEHEADER, then BITMAPINFOHEADER (or a later, longer version of it).
constexpr qsizetype kFileHeaderSize = 14;
constexpr qsizetype kInfoHeaderSize = 40;
constexpr std::int32_t kLargestSide = 16384;

std::uint32_t readU32(const QByteArray &data, qsizetype offset)
{
    const auto byte = [&](qsizetype at) { return static_cast<std::uint32_t>(static_cast<unsigned char>(data[at])); };
    return byte(offset) | byte(offset + 1) << 8 | byte(offset + 2) << 16 | byte(offset + 3) << 24;
}

std::uint16_t readU16(const QByteArray &data, qsizetype offset)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[offset]) |
                                      static_cast<unsigned char>(data[offset + 1]) << 8);
}

} // namespace

QImage decodeBitmap24(const QByteArray &data)
{
    if (data.size() < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M')
        return {};
    const std::uint32_t pixelOffset = readU32(data, 10);
    const std::uint32_t infoSize = readU32(data, 14);
    const auto width = static_cast<std::int32_t>(readU32(data, 18));
    const auto height = static_cast<std::int32_t>(readU32(data, 22));
    const std::uint16_t planes = readU16(data, 26);
    const std::uint16_t bitsPerPixel = readU16(data, 28);
    const std::uint32_t compression = readU32(data, 30); // 0: BI_RGB
    if (infoSize < kInfoHeaderSize || planes != 1 || bitsPerPixel != 24 || compression != 0)
        return {};
    if (width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide || height < -kLargestSide)
        return {};
    const int rows = std::abs(height);
    const bool bottomUp = height > 0; // the usual order: the last row first
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    if (pixelOffset < kFileHeaderSize + infoSize || qsizetype(pixelOffset) + stride * rows > data.size())
        return {};

    QImage image(width, rows, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const auto *pixels = reinterpret_cast<const unsigned char *>(data.constData()) + pixelOffset;
    for (int y = 0; y < rows; ++y) {
        const unsigned char *source = pixels + stride * (bottomUp ? rows - 1 - y : y);
        auto *target = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    // Qt's reader keeps the file's resolution; so does this.
    if (const auto perMetreX = static_cast<std::int32_t>(readU32(data, 38)); perMetreX > 0)
        image.setDotsPerMeterX(perMetreX);
    if (const auto perMetreY = static_cast<std::int32_t>(readU32(data, 42)); perMetreY > 0)
        image.setDotsPerMeterY(perMetreY);
    return image;
}

QImage readBitmap(const QString &path)
{
    // A compiled-in file stored as it is is decoded where it lies, without opening
    // a file for it or copying it.
    if (const QResource resource(path);
        resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        QImage image =
            decodeBitmap24(QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()), resource.size()));
        if (!image.isNull())
            return image;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImage image = decodeBitmap24(file.readAll());
    if (image.isNull())
        image = QImageReader(path).read();
    return image;
}

} // namespace pemtos::qt
