// BMP files of every supported depth and header size, bottom-up and
// top-down, decoded to exact pixels; unsupported and hostile files give Null.

#include "picture_test_util.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

using test::Argb;
using test::BmpLayout;
using test::Bytes;

const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF};

// An indexed picture of 5 x 3 (odd width: rows need padding).
BmpLayout Indexed(int bpp) {
    BmpLayout layout;
    layout.width = 5, layout.height = 3, layout.bpp = bpp;
    int colours = bpp == 1 ? 2 : 6;
    layout.palette.assign(kPalette.begin(), kPalette.begin() + colours);
    layout.palette.resize(std::size_t{1} << bpp, 0x777777);
    for (int i = 0; i < 15; i++) layout.pixels.push_back(static_cast<uint32_t>((i * 7 + i / 5) % colours));
    return layout;
}

std::vector<int> Expected(const BmpLayout& layout) {
    std::vector<int> out;
    for (uint32_t v : layout.pixels) {
        if (layout.bpp <= 8) out.push_back(Argb(0xFF000000 | layout.palette[v]));
        else if (layout.bpp == 24) out.push_back(Argb(0xFF000000 | v));
        else out.push_back(Argb(v));
    }
    return out;
}

class BmpDepthTest : public test::PictureTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(BmpDepthTest, DecodesUprightWithAnyHeaderSize) {
    auto [bpp, headerSize] = GetParam();
    BmpLayout layout;
    if (bpp <= 8) {
        layout = Indexed(bpp);
    } else {
        layout.width = 5, layout.height = 3, layout.bpp = bpp;
        for (uint32_t i = 0; i < 15; i++) layout.pixels.push_back(bpp == 24 ? 0x010203 * i : 0x11020304 * i + 0x08);
    }
    layout.headerSize = headerSize;
    auto pixmap = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, bpp == 32 ? FMT_BGRA8888 : FMT_BGR888);
    EXPECT_EQ(test::Pixels(pixmap), Expected(layout));

    layout.height = -3;  // top-down
    auto topDown = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(topDown, nullptr);
    EXPECT_EQ(test::Pixels(topDown), Expected(layout));
}

INSTANTIATE_TEST_SUITE_P(Bmp, BmpDepthTest,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24, 32), ::testing::Values(40, 108, 124)));

using BmpLoaderTest = test::PictureTest;

TEST_F(BmpLoaderTest, PixelsAreReadAtTheDeclaredOffset) {
    BmpLayout layout = Indexed(8);
    layout.gap = 37;
    auto pixmap = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(test::Pixels(pixmap), Expected(layout));
}

TEST_F(BmpLoaderTest, ShortPaletteAndIndicesBeyondIt) {
    BmpLayout layout = Indexed(8);
    layout.palette.resize(3);  // colours used: 3
    layout.coloursUsed = 3;
    layout.pixels[0] = 200;  // no such entry: black
    auto pixmap = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), Argb(0xFF000000));
    EXPECT_EQ(pixmap->ReadPixel(1, 0), Argb(0xFF000000 | kPalette[layout.pixels[1]]));
}

TEST_F(BmpLoaderTest, BitFieldMasksPlaceTheChannels) {
    BmpLayout layout;
    layout.width = 2, layout.height = 1, layout.bpp = 32, layout.compression = 3, layout.headerSize = 108;
    // Stored as bytes red, green, blue, alpha.
    layout.masks[0] = 0x000000FF, layout.masks[1] = 0x0000FF00, layout.masks[2] = 0x00FF0000, layout.masks[3] = 0xFF000000;
    layout.pixels = {0x80332211, 0xFFCCBBAA};
    auto pixmap = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(test::Pixels(pixmap), (std::vector<int>{Argb(0x80112233), Argb(0xFFAABBCC)}));

    layout.headerSize = 40;  // masks after the header, no alpha mask: opaque
    pixmap = test::LoadBytes(test::WriteBmp(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(test::Pixels(pixmap), (std::vector<int>{Argb(0xFF112233), Argb(0xFFAABBCC)}));
}

TEST_F(BmpLoaderTest, UnsupportedKindsAreRefused) {
    TBmpLoader loader;
    BmpLayout rle = Indexed(8);
    rle.compression = 1;
    EXPECT_EQ(test::LoadWith(loader, test::WriteBmp(rle)), nullptr);
    BmpLayout truecolour;
    truecolour.width = 2, truecolour.height = 1, truecolour.pixels = {0, 0};
    Bytes sixteen = test::WriteBmp(truecolour);
    sixteen[28] = 16;
    EXPECT_EQ(test::LoadWith(loader, sixteen), nullptr);
    Bytes coreBytes = test::WriteBmp(Indexed(8));
    coreBytes[14] = 12;
    EXPECT_EQ(test::LoadWith(loader, coreBytes), nullptr);
    EXPECT_EQ(test::LoadWith(loader, "BA" + Bytes(60, '\0')), nullptr);
}

TEST_F(BmpLoaderTest, HostileSizesAreRefusedWithoutAllocating) {
    TBmpLoader loader;
    auto withSize = [](int width, int height, int bpp) {
        BmpLayout layout;
        layout.width = 1, layout.height = 1, layout.bpp = bpp, layout.pixels = {0};
        Bytes b = test::WriteBmp(layout);
        for (int i = 0; i < 4; i++) b[18 + i] = char(width >> (8 * i)), b[22 + i] = char(height >> (8 * i));
        return b;
    };
    EXPECT_EQ(test::LoadWith(loader, withSize(16385, 1, 24)), nullptr);
    EXPECT_EQ(test::LoadWith(loader, withSize(16384, 16384, 32)), nullptr);  // 1 GiB
    EXPECT_EQ(test::LoadWith(loader, withSize(0, 5, 24)), nullptr);
    EXPECT_EQ(test::LoadWith(loader, withSize(4, INT32_MIN, 24)), nullptr);
    // A sane size whose pixels are missing is a truncated file.
    EXPECT_THROW(test::LoadWith(loader, withSize(64, 64, 24)), TStreamReadException);
    EXPECT_EQ(test::LoadBytes(withSize(64, 64, 24)), nullptr);
}

TEST_F(BmpLoaderTest, DataOffsetInsideTheHeaderIsRefused) {
    Bytes b = test::WriteBmp(Indexed(4));
    b[10] = 20, b[11] = b[12] = b[13] = 0;
    EXPECT_EQ(test::LoadBytes(b), nullptr);
}

}  // namespace
}  // namespace vellum
