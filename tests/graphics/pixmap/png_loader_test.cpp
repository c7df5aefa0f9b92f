// PNG files written by libpng, every colour type and bit depth, decoded to
// exact pixel values; damaged and oversized files give Null.

#include <png.h>
#include <unistd.h>

#include <filesystem>

#include "picture_test_util.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

using test::Argb;
using test::Bytes;
using test::PngLayout;

struct PngCase {
    const char* name;
    int colorType;
    int depth;
    int expectedFormat;
};

// Grey samples of a 4 x 2 picture at a bit depth, covering 0 and the maximum.
std::vector<std::vector<int>> GreyRows(int depth) {
    int max = (1 << depth) - 1;
    return {{0, max, max / 3, max / 2}, {max, 1, 0, max - 1}};
}

// The 8-bit value libpng gives for a sample: low depths scale up, 16 bits
// keep the high byte.
int To8(int v, int depth) { return depth == 16 ? v >> 8 : depth == 8 ? v : v * 255 / ((1 << depth) - 1); }

void PrintTo(const PngCase& c, std::ostream* out) { *out << c.name; }

class PngDepthTest : public test::PictureTest, public ::testing::WithParamInterface<PngCase> {};

TEST_P(PngDepthTest, DecodesEverySample) {
    const PngCase& c = GetParam();
    PngLayout layout;
    layout.width = 4, layout.height = 2, layout.colorType = c.colorType, layout.bitDepth = c.depth;
    std::vector<int> expected;
    auto grey = GreyRows(c.depth);
    int max = (1 << c.depth) - 1;
    for (int y = 0; y < 2; y++) {
        layout.rows.emplace_back();
        for (int x = 0; x < 4; x++) {
            int g = grey[y][x], other = max - g, third = grey[1 - y][x];
            uint32_t v = To8(g, c.depth), o = To8(other, c.depth), t = To8(third, c.depth);
            auto& row = layout.rows.back();
            switch (c.colorType) {
                case PNG_COLOR_TYPE_GRAY: row.push_back(g), expected.push_back(Argb(0xFF000000 | v * 0x010101)); break;
                case PNG_COLOR_TYPE_GRAY_ALPHA:
                    row.insert(row.end(), {g, other});
                    expected.push_back(Argb(o << 24 | v * 0x010101));
                    break;
                case PNG_COLOR_TYPE_RGB:
                    row.insert(row.end(), {g, other, third});
                    expected.push_back(Argb(0xFF000000 | v << 16 | o << 8 | t));
                    break;
                default:
                    row.insert(row.end(), {g, other, third, g});
                    expected.push_back(Argb(v << 24 | v << 16 | o << 8 | t));
                    break;
            }
        }
    }
    auto pixmap = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, c.expectedFormat);
    EXPECT_EQ(pixmap->pitch % 4, 0);
    EXPECT_EQ(test::Pixels(pixmap), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Png, PngDepthTest,
    ::testing::Values(PngCase{"Grey1", PNG_COLOR_TYPE_GRAY, 1, FMT_I8}, PngCase{"Grey2", PNG_COLOR_TYPE_GRAY, 2, FMT_I8},
                      PngCase{"Grey4", PNG_COLOR_TYPE_GRAY, 4, FMT_I8}, PngCase{"Grey8", PNG_COLOR_TYPE_GRAY, 8, FMT_I8},
                      PngCase{"Grey16", PNG_COLOR_TYPE_GRAY, 16, FMT_I8},
                      PngCase{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, FMT_RGBA8888},
                      PngCase{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, FMT_RGBA8888},
                      PngCase{"Rgb8", PNG_COLOR_TYPE_RGB, 8, FMT_RGB888},
                      PngCase{"Rgb16", PNG_COLOR_TYPE_RGB, 16, FMT_RGB888},
                      PngCase{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, FMT_RGBA8888},
                      PngCase{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, FMT_RGBA8888}),
    [](const auto& info) { return std::string(info.param.name); });

class PngPaletteTest : public test::PictureTest, public ::testing::WithParamInterface<int> {};

TEST_P(PngPaletteTest, ExpandsToRgbOrWithTransparencyToRgba) {
    int depth = GetParam(), entries = 1 << depth < 4 ? 1 << depth : 4;
    PngLayout layout;
    layout.width = 3, layout.height = 2, layout.colorType = PNG_COLOR_TYPE_PALETTE, layout.bitDepth = depth;
    layout.palette = {0x102030, 0xFFEEDD, 0x00FF00, 0x808080};
    layout.palette.resize(entries);
    layout.rows = {{0, 1, entries - 1}, {entries - 1, 0, 1}};
    auto rgb = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->format, FMT_RGB888);
    EXPECT_EQ(rgb->ReadPixel(0, 0), Argb(0xFF102030));
    EXPECT_EQ(rgb->ReadPixel(1, 0), Argb(0xFFFFEEDD));
    EXPECT_EQ(rgb->ReadPixel(0, 1), static_cast<int>(0xFF000000 | layout.palette[entries - 1]));

    layout.paletteAlpha = {0x00, 0x80};  // entries past the list are opaque
    auto rgba = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->format, FMT_RGBA8888);
    EXPECT_EQ(rgba->ReadPixel(0, 0), Argb(0x00102030));
    EXPECT_EQ(rgba->ReadPixel(1, 0), Argb(0x80FFEEDD));
    if (entries > 2) {
        EXPECT_EQ(rgba->ReadPixel(2, 0), static_cast<int>(0xFF000000 | layout.palette[entries - 1]));
    }
}

INSTANTIATE_TEST_SUITE_P(Png, PngPaletteTest, ::testing::Values(1, 2, 4, 8));

using PngLoaderTest = test::PictureTest;

TEST_F(PngLoaderTest, GreyTransparencyGivesRgbaWithGreyColour) {
    PngLayout layout;
    layout.width = 2, layout.height = 1, layout.colorType = PNG_COLOR_TYPE_GRAY, layout.bitDepth = 8, layout.trnsGrey = 0x40;
    layout.rows = {{0x40, 0x41}};
    auto pixmap = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, FMT_RGBA8888);
    EXPECT_EQ(test::Pixels(pixmap), (std::vector<int>{0x00404040, Argb(0xFF414141)}));
}

TEST_F(PngLoaderTest, InterlacedFileMatchesTheSameRowsPlain) {
    PngLayout layout;
    layout.width = 9, layout.height = 9, layout.colorType = PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < 9; y++) {
        layout.rows.emplace_back();
        for (int x = 0; x < 9; x++) layout.rows.back().insert(layout.rows.back().end(), {x * 20, y * 25, (x ^ y) * 7});
    }
    auto plain = test::LoadBytes(test::WritePng(layout));
    layout.interlace = true;
    auto interlaced = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(interlaced, nullptr);
    EXPECT_EQ(test::Pixels(interlaced), test::Pixels(plain));
    EXPECT_EQ(plain->ReadPixel(8, 3), Argb(0xFFA04B4D));
}

TEST_F(PngLoaderTest, DamagedFilesGiveNull) {
    PngLayout layout;
    layout.width = 16, layout.height = 16, layout.colorType = PNG_COLOR_TYPE_GRAY;
    layout.rows.assign(16, std::vector<int>(16, 7));
    Bytes good = test::WritePng(layout);
    ASSERT_NE(test::LoadBytes(good), nullptr);

    Bytes truncated = good.substr(0, good.size() - 30);
    EXPECT_EQ(test::LoadBytes(truncated), nullptr);
    // Called directly, the loader lets the stream's error through after cleaning up.
    TPngLoader loader;
    EXPECT_THROW(test::LoadWith(loader, truncated), TStreamReadException);

    Bytes corrupt = good;
    size_t idat = corrupt.find("IDAT");
    corrupt[idat + 6] ^= 0x5A;  // bad data and checksum
    EXPECT_EQ(test::LoadBytes(corrupt), nullptr);
    EXPECT_EQ(test::LoadWith(loader, "\x89PNG"), nullptr);
    EXPECT_EQ(test::LoadWith(loader, "GIF89a......"), nullptr);
}

TEST_F(PngLoaderTest, OversizedPicturesAreRefusedBeforeDecoding) {
    TPngLoader loader;
    // Both within the side limit, but 1 GiB of pixels.
    EXPECT_EQ(test::LoadWith(loader, test::WritePngWithoutData(16384, 16384, PNG_COLOR_TYPE_RGB_ALPHA)), nullptr);
    EXPECT_EQ(test::LoadWith(loader, test::WritePngWithoutData(20000, 1, PNG_COLOR_TYPE_GRAY)), nullptr);
    // A header of a sane size reaches the pixel data, which is missing.
    EXPECT_THROW(test::LoadWith(loader, test::WritePngWithoutData(64, 64, PNG_COLOR_TYPE_GRAY)), TStreamReadException);
}

// A picture saved reads back the same; one that cannot reach the disk
// (/dev/full refuses every byte) is reported, however small.
TEST_F(PngLoaderTest, SavedPicturesReadBackAndAFullDiskIsReported) {
    auto pixmap = CreatePixmap(3, 2, FMT_RGB888, 4);
    for (int i = 0; i < 6; ++i) WritePixel(pixmap, i % 3, i / 3, Argb(0xFF000000u | (0x2A1507u * (i + 1))));
    auto path = std::filesystem::temp_directory_path() / ("vellum-png-" + std::to_string(getpid()) + ".png");
    ASSERT_EQ(SavePixmapPNG(pixmap, FromUtf8(path.string())), 1);
    auto back = LoadPixmap(FromUtf8(path.string()));
    std::filesystem::remove(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(test::Pixels(back), test::Pixels(pixmap));
    EXPECT_EQ(SavePixmapPNG(pixmap, u"/dev/full"), 0);
}

}  // namespace
}  // namespace vellum
