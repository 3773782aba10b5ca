// SPDX-License-Identifier: MIT
// The window's own BMP decoder against Qt's image reader, on every illustration,
// and on the files it must leave to Qt's reader.
#include "qt/bitmapfile.h"

#include "window/illustrations.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The illustrations are compiled into the Qt backend's static library; the window
// registers them when it is built, which these tests do not wait for.
static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace pemtos::qt {
namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putU32(QByteArray &data, qsizetype offset, std::uint32_t value)
{
    for (int byte = 0; byte < 4; ++byte)
        data[offset + byte] = static_cast<char>((value >> (8 * byte)) & 0xFF);
}

void putU16(QByteArray &data, qsizetype offset, std::uint16_t value)
{
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>(value >> 8);
}

/// A 3 x 2 BMP file with four different pixels per row, in the order the rows are
/// stored: bottom-up for a positive height, top-down for a negative one.
QByteArray smallBitmap(bool topDown)
{
    constexpr int kWidth = 3;
    constexpr int kStride = 12; // 9 bytes of pixels, padded to a multiple of four
    QByteArray data(54 + 2 * kStride, '\0');
    data[0] = 'B';
    data[1] = 'M';
    putU32(data, 2, static_cast<std::uint32_t>(data.size()));
    putU32(data, 10, 54);
    putU32(data, 14, 40);
    putU32(data, 18, kWidth);
    putU32(data, 22, static_cast<std::uint32_t>(topDown ? -2 : 2));
    putU16(data, 26, 1);
    putU16(data, 28, 24);
    putU32(data, 38, 3780); // 96 dots per inch
    putU32(data, 42, 3780);
    // Row "a" then row "b" as stored; each pixel is blue, green, red.
    const unsigned char rows[2][9] = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 20, 30, 40, 50, 60, 70, 80, 90}};
    for (int row = 0; row < 2; ++row) {
        for (int byte = 0; byte < 9; ++byte)
            data[54 + row * kStride + byte] = static_cast<char>(rows[row][byte]);
    }
    return data;
}

void expectSameAsQt(const QImage &decoded, const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    const QImage expected = QImageReader(&buffer, "bmp").read();
    ASSERT_FALSE(expected.isNull());
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), expected.format());
    EXPECT_EQ(decoded.size(), expected.size());
    EXPECT_EQ(decoded.dotsPerMeterX(), expected.dotsPerMeterX());
    EXPECT_EQ(decoded.dotsPerMeterY(), expected.dotsPerMeterY());
    EXPECT_EQ(decoded, expected); // every pixel
}

TEST(BitmapFileTest, EveryIllustrationDecodesExactlyAsQtReadsIt)
{
    initArtResources();
    for (const window::Illustration &art : window::illustrations()) {
        for (const char *suffix : {"", "@2x"}) {
            const QString path =
                QStringLiteral(":/art/%1%2.bmp")
                    .arg(QString::fromLatin1(art.file.data(), qsizetype(art.file.size())), QString::fromLatin1(suffix));
            SCOPED_TRACE(path.toStdString());
            const QByteArray data = contents(path);
            ASSERT_FALSE(data.isEmpty());
            const QImage decoded = decodeBitmap24(data);
            expectSameAsQt(decoded, data);
            if (*suffix == '\0') {
                EXPECT_EQ(decoded.size(), QSize(art.width, art.height));
            }
            EXPECT_EQ(readBitmap(path), decoded);
        }
    }
}

TEST(BitmapFileTest, RowsComeInTheOrderTheHeightSays)
{
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const QByteArray data = smallBitmap(topDown);
        const QImage decoded = decodeBitmap24(data);
        expectSameAsQt(decoded, data);
        // The first row stored is the top row only for a top-down file.
        EXPECT_EQ(decoded.pixel(0, topDown ? 0 : 1), qRgb(3, 2, 1));
        EXPECT_EQ(decoded.pixel(2, topDown ? 1 : 0), qRgb(90, 80, 70));
    }
}

TEST(BitmapFileTest, LeavesEveryOtherFileToQtsReader)
{
    struct Case {
        const char *what;
        qsizetype offset; ///< where to write, or -1 to cut the file short instead
        std::uint32_t value;
        int width; ///< 2 or 4 bytes
    };
    const std::vector<Case> cases{
        {"not a BMP file", 0, 'X', 2},         {"32 bits per pixel", 28, 32, 2}, {"8 bits per pixel", 28, 8, 2},
        {"run-length compressed", 30, 1, 4},   {"bit fields", 30, 3, 4},         {"two planes", 26, 2, 2},
        {"an old, shorter header", 14, 12, 4}, {"no width", 18, 0, 4},           {"no height", 22, 0, 4},
        {"pixels beyond the end", 10, 60, 4},  {"cut short", -1, 0, 0},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        QByteArray data = smallBitmap(false);
        if (test.offset < 0)
            data.chop(1);
        else if (test.width == 2)
            putU16(data, test.offset, static_cast<std::uint16_t>(test.value));
        else
            putU32(data, test.offset, test.value);
        EXPECT_TRUE(decodeBitmap24(data).isNull());
    }
    EXPECT_TRUE(decodeBitmap24(QByteArray()).isNull());
    EXPECT_TRUE(decodeBitmap24(smallBitmap(false).left(53)).isNull());
}

TEST(BitmapFileTest, OtherImagesAreReadByQt)
{
    // The window's icon is a PNG: the decoder declines it and Qt's reader reads it.
    const QImage icon = readBitmap(QStringLiteral(":/icons/16.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(16, 16));
    EXPECT_TRUE(readBitmap(QStringLiteral(":/art/no-such-file.bmp")).isNull());
}

} // namespace
} // namespace pemtos::qt
