// SPDX-License-Identifier: MIT
// Reads the committed illustrations and icons the way the program and the
// desktop installers do, and checks that what they would get is usable:
// well-formed files, the sizes the window layout relies on, and drawings
// that actually show something inside the part of the box that is visible.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#ifndef PEMTOS_ART_DIR
#error "PEMTOS_ART_DIR must name the directory holding pictureN.bmp"
#endif
#ifndef PEMTOS_ICON_DIR
#error "PEMTOS_ICON_DIR must name the directory holding pemtos.ico"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le16(const Bytes &b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t le32(const Bytes &b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

std::int32_t le32s(const Bytes &b, std::size_t at)
{
    return static_cast<std::int32_t>(le32(b, at));
}

std::uint32_t be32(const Bytes &b, std::size_t at)
{
    return (std::uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// ---------------------------------------------------------------------------
// Illustrations

// A decoded 24-bit BMP; grey[y * width + x] with y = 0 at the top.  Pixels
// that are not grey are recorded separately so the grey test can report
// how many there are.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey;
    int colouredPixels = 0;
};

// Returns an empty string on success, otherwise what is wrong with the file.
std::string decodeBmp(const Bytes &file, Bitmap &out)
{
    if (file.size() < 54)
        return "shorter than the two BMP headers";
    if (file[0] != 'B' || file[1] != 'M')
        return "no BM signature";
    if (le32(file, 2) != file.size())
        return "bfSize is not the file size";
    if (le32(file, 14) != 40)
        return "info header is not BITMAPINFOHEADER";
    const std::int32_t width = le32s(file, 18);
    const std::int32_t height = le32s(file, 22);
    if (width <= 0)
        return "width is not positive";
    if (height <= 0)
        return "height is not positive (not bottom-up)";
    if (le16(file, 26) != 1)
        return "planes is not 1";
    if (le16(file, 28) != 24)
        return "not 24 bits per pixel";
    if (le32(file, 30) != 0)
        return "compressed (not BI_RGB)";
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t offset = le32(file, 10);
    if (offset < 54)
        return "pixel data overlaps the headers";
    if (offset + stride * std::size_t(height) != file.size())
        return "pixel offset and padded rows do not add up to the file size";

    out.width = width;
    out.height = height;
    out.grey.assign(std::size_t(width) * height, 0);
    out.colouredPixels = 0;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + stride * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t b = file[row + 3 * x];
            const std::uint8_t g = file[row + 3 * x + 1];
            const std::uint8_t r = file[row + 3 * x + 2];
            if (r != g || g != b)
                ++out.colouredPixels;
            out.grey[std::size_t(y) * width + x] = g;
        }
    }
    return {};
}

// Share of pixels in the top-left w x h corner that pass `test`.
template <typename Test> double share(const Bitmap &bmp, int w, int h, Test test)
{
    int hits = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (test(bmp.grey[std::size_t(y) * bmp.width + x]))
                ++hits;
    return double(hits) / (double(w) * h);
}

bool isDark(std::uint8_t v)
{
    return v < 128;
}
bool isWhite(std::uint8_t v)
{
    return v == 255;
}

struct Picture {
    const char *stem;
    int width, height;
    // The window shows pictures at natural size from the top-left corner in
    // boxes that clip some of them; this is the part that stays visible.
    int visibleWidth, visibleHeight;
};

constexpr std::array<Picture, 14> kPictures{{
    {"picture1", 48, 79, 48, 79},
    {"picture2", 51, 80, 47, 80},
    {"picture3", 42, 77, 39, 77},
    {"picture4", 57, 83, 57, 79},
    {"picture5", 47, 81, 47, 81},
    {"picture6", 73, 76, 73, 76},
    {"picture7", 73, 73, 73, 73},
    {"picture8", 48, 75, 48, 71},
    {"picture10", 41, 76, 41, 76},
    {"picture11", 37, 76, 37, 76},
    {"picture12", 75, 52, 75, 52},
    {"picture13", 64, 55, 64, 55},
    {"picture14", 79, 54, 71, 54},
    {"picture15", 89, 60, 79, 55},
}};

// Keeps failure messages readable: the stem names the file.
void PrintTo(const Picture &picture, std::ostream *os)
{
    *os << picture.stem;
}

// A pen drawing on white: most of the paper stays blank, but enough ink
// must land in view that the form is there to be recognised.
constexpr double kMinWhiteShare = 0.5;
constexpr double kMinDarkShare = 0.03;

class IllustrationTest : public ::testing::TestWithParam<std::tuple<Picture, int>> {
protected:
    void SetUp() override
    {
        const auto &[picture, scale] = GetParam();
        const std::string path = std::string(PEMTOS_ART_DIR) + "/" + picture.stem + (scale == 2 ? "@2x" : "") + ".bmp";
        const Bytes file = readFile(path);
        ASSERT_FALSE(file.empty()) << "cannot read " << path;
        const std::string error = decodeBmp(file, bmp_);
        ASSERT_EQ(error, "") << path;
    }

    Bitmap bmp_;
};

TEST_P(IllustrationTest, HasTheSizeTheLayoutExpects)
{
    const auto &[picture, scale] = GetParam();
    EXPECT_EQ(bmp_.width, picture.width * scale);
    EXPECT_EQ(bmp_.height, picture.height * scale);
}

TEST_P(IllustrationTest, IsGreyInkOnWhitePaper)
{
    EXPECT_EQ(bmp_.colouredPixels, 0);
    EXPECT_GE(share(bmp_, bmp_.width, bmp_.height, isWhite), kMinWhiteShare);
}

TEST_P(IllustrationTest, HasPenStrokesInsideTheVisibleArea)
{
    const auto &[picture, scale] = GetParam();
    ASSERT_EQ(bmp_.width, picture.width * scale);
    ASSERT_EQ(bmp_.height, picture.height * scale);
    EXPECT_GE(share(bmp_, bmp_.width, bmp_.height, isDark), kMinDarkShare);
    EXPECT_GE(share(bmp_, picture.visibleWidth * scale, picture.visibleHeight * scale, isDark), kMinDarkShare);
}

INSTANTIATE_TEST_SUITE_P(AllForms, IllustrationTest,
                         ::testing::Combine(::testing::ValuesIn(kPictures), ::testing::Values(1, 2)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).stem) +
                                    (std::get<1>(info.param) == 2 ? "_2x" : "_1x");
                         });

// The 2x set is there for high-density screens: it must show the same
// drawing as the 1x set, but drawn at that resolution rather than
// pixel-doubled.
class DoubleSizeTest : public ::testing::TestWithParam<Picture> {
protected:
    void SetUp() override
    {
        const std::string base = std::string(PEMTOS_ART_DIR) + "/" + GetParam().stem;
        ASSERT_EQ(decodeBmp(readFile(base + ".bmp"), single_), "") << base;
        ASSERT_EQ(decodeBmp(readFile(base + "@2x.bmp"), double_), "") << base;
        ASSERT_EQ(double_.width, 2 * single_.width);
        ASSERT_EQ(double_.height, 2 * single_.height);
    }

    // The 2x pixels covering 1x pixel (x, y).
    std::array<int, 4> block(int x, int y) const
    {
        const auto at = [&](int dx, int dy) {
            return int(double_.grey[std::size_t(2 * y + dy) * double_.width + 2 * x + dx]);
        };
        return {at(0, 0), at(1, 0), at(0, 1), at(1, 1)};
    }

    Bitmap single_;
    Bitmap double_;
};

TEST_P(DoubleSizeTest, ShowsTheSameDrawingAsTheSingleSize)
{
    // Averaging each 2x2 block gives back roughly the 1x picture; a finer
    // pen leaves some difference, a different drawing leaves a lot.
    double difference = 0;
    double ink = 0;
    for (int y = 0; y < single_.height; ++y) {
        for (int x = 0; x < single_.width; ++x) {
            const auto b = block(x, y);
            const double mean = (b[0] + b[1] + b[2] + b[3]) / 4.0;
            const int v = single_.grey[std::size_t(y) * single_.width + x];
            difference += v > mean ? v - mean : mean - v;
            ink += 255 - v;
        }
    }
    EXPECT_LT(difference, ink / 2) << GetParam().stem;
}

TEST_P(DoubleSizeTest, IsNotPixelDoubled)
{
    // A pixel-doubled copy has every aligned 2x2 block uniform.
    int mixed = 0;
    for (int y = 0; y < single_.height; ++y) {
        for (int x = 0; x < single_.width; ++x) {
            const auto b = block(x, y);
            if (b[0] != b[1] || b[0] != b[2] || b[0] != b[3])
                ++mixed;
        }
    }
    EXPECT_GE(mixed, single_.width * single_.height / 100) << GetParam().stem;
}

INSTANTIATE_TEST_SUITE_P(AllForms, DoubleSizeTest, ::testing::ValuesIn(kPictures),
                         [](const auto &info) { return std::string(info.param.stem); });

// Decoding must refuse what the window's loader would choke on; a couple of
// hand-made files make sure the checks above are not vacuous.
TEST(BmpDecoding, RejectsMalformedFiles)
{
    // 1x1 white pixel: 3 bytes + 1 byte of row padding.
    Bytes good = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,   1,   0,   24,
                  0,   0,   0,  0, 0, 4, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0};
    Bitmap bmp;
    ASSERT_EQ(decodeBmp(good, bmp), "");
    EXPECT_EQ(bmp.grey.at(0), 255);

    struct Case {
        const char *what;
        std::size_t at;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"signature", 0, 'X'}, {"file size", 2, 59},  {"header size", 14, 12}, {"top-down height", 25, 0xff},
        {"planes", 26, 2},     {"bit count", 28, 32}, {"compression", 30, 1},  {"pixel offset", 10, 55},
    };
    for (const Case &c : cases) {
        Bytes bad = good;
        bad[c.at] = c.value;
        if (c.at == 25)
            bad[22] = bad[23] = bad[24] = 0xff; // height -1
        EXPECT_NE(decodeBmp(bad, bmp), "") << c.what;
    }
    Bytes truncated(good.begin(), good.end() - 1);
    truncated[2] = 57;
    EXPECT_NE(decodeBmp(truncated, bmp), "") << "missing row padding";
}

// ---------------------------------------------------------------------------
// Windows icon

struct IconImage {
    int size;
    int colourCount; // bColorCount in the directory entry
    int bitCount;
};

// Order matters: the resource compiler keeps it, and it is the order the
// shell sees the images in.
constexpr std::array<IconImage, 3> kIconImages{{
    {32, 16, 4},
    {16, 16, 4},
    {32, 2, 1},
}};

constexpr std::array<std::array<std::uint8_t, 3>, 16> kWindowsPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

std::size_t rowBytes(int pixels, int bits)
{
    return ((std::size_t(pixels) * bits + 31) / 32) * 4;
}

TEST(WindowsIcon, DirectoryListsTheThreeClassicImages)
{
    const std::string path = std::string(PEMTOS_ICON_DIR) + "/pemtos.ico";
    const Bytes ico = readFile(path);
    ASSERT_GE(ico.size(), 6u + 16u * kIconImages.size()) << path;
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "resource type is not icon";
    ASSERT_EQ(le16(ico, 4), kIconImages.size());

    std::size_t expectedOffset = 6 + 16 * kIconImages.size();
    for (std::size_t i = 0; i < kIconImages.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const IconImage &want = kIconImages[i];
        const std::size_t e = 6 + 16 * i;
        EXPECT_EQ(ico[e], want.size);
        EXPECT_EQ(ico[e + 1], want.size);
        EXPECT_EQ(ico[e + 2], want.colourCount);
        EXPECT_EQ(ico[e + 3], 0);
        EXPECT_EQ(le16(ico, e + 4), 1u) << "planes";
        EXPECT_EQ(le16(ico, e + 6), std::uint32_t(want.bitCount));
        const std::size_t bytes = le32(ico, e + 8);
        const std::size_t offset = le32(ico, e + 12);

        // Images follow the directory back to back, each wholly inside the
        // file, so none overlaps another.
        EXPECT_EQ(offset, expectedOffset);
        ASSERT_LE(offset + bytes, ico.size());
        expectedOffset = offset + bytes;

        ASSERT_GE(bytes, 40u);
        EXPECT_EQ(le32(ico, offset), 40u) << "not a BITMAPINFOHEADER";
        EXPECT_EQ(le32s(ico, offset + 4), want.size);
        EXPECT_EQ(le32s(ico, offset + 8), 2 * want.size) << "height must count the XOR bitmap and the AND mask";
        EXPECT_EQ(le16(ico, offset + 12), 1u);
        EXPECT_EQ(le16(ico, offset + 14), std::uint32_t(want.bitCount));
        EXPECT_EQ(le32(ico, offset + 16), 0u) << "compressed";

        const std::size_t palette = 4u << want.bitCount;
        const std::size_t xorMask = rowBytes(want.size, want.bitCount) * want.size;
        const std::size_t andMask = rowBytes(want.size, 1) * want.size;
        EXPECT_EQ(bytes, 40 + palette + xorMask + andMask);

        if (want.bitCount == 4) {
            for (std::size_t c = 0; c < kWindowsPalette.size(); ++c) {
                const std::size_t q = offset + 40 + 4 * c; // B, G, R, 0
                EXPECT_EQ(ico[q + 2], kWindowsPalette[c][0]) << "colour " << c;
                EXPECT_EQ(ico[q + 1], kWindowsPalette[c][1]) << "colour " << c;
                EXPECT_EQ(ico[q], kWindowsPalette[c][2]) << "colour " << c;
            }
        }
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "trailing bytes after images";
}

// ---------------------------------------------------------------------------
// Desktop icons

std::uint32_t crc32(const Bytes &b, std::size_t from, std::size_t to)
{
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = from; i < to; ++i) {
        crc ^= b[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

class DesktopIconTest : public ::testing::TestWithParam<int> {};

TEST_P(DesktopIconTest, IsAnRgbaPngOfItsThemeSize)
{
    const int size = GetParam();
    const std::string dim = std::to_string(size) + "x" + std::to_string(size);
    const std::string path = std::string(PEMTOS_ICON_DIR) + "/hicolor/" + dim + "/apps/org.pemtos.Pemtos.png";
    const Bytes png = readFile(path);
    ASSERT_GE(png.size(), 8u + 25u + 12u) << path;

    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (int i = 0; i < 8; ++i)
        ASSERT_EQ(png[i], signature[i]) << "byte " << i;

    ASSERT_EQ(be32(png, 8), 13u) << "IHDR length";
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(be32(png, 16), std::uint32_t(size)) << "width";
    EXPECT_EQ(be32(png, 20), std::uint32_t(size)) << "height";
    EXPECT_EQ(png[24], 8) << "bit depth";
    EXPECT_EQ(png[25], 6) << "colour type: RGBA keeps the outside transparent";
    EXPECT_EQ(be32(png, 29), crc32(png, 12, 29)) << "IHDR CRC";

    const std::size_t end = png.size() - 12;
    EXPECT_EQ(std::string(png.begin() + end + 4, png.begin() + end + 8), "IEND");
}

INSTANTIATE_TEST_SUITE_P(HicolorSizes, DesktopIconTest, ::testing::Values(16, 32, 48, 64, 128),
                         [](const auto &info) { return "px" + std::to_string(info.param); });

} // namespace
