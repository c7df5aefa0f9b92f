// JPEG files written by libjpeg: grey and colour decode close to the source
// (the format is lossy); other component counts and damaged files give Null.

#include <cstdlib>

#include "picture_test_util.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

using test::Bytes;
using JpegLoaderTest = test::PictureTest;

// Flat 8 x 8 blocks survive compression almost unchanged.
std::vector<uint8_t> Blocks(int width, int height, int components, const std::vector<std::vector<uint8_t>>& colours) {
    std::vector<uint8_t> samples;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const auto& c = colours[(y / 8 * (width / 8) + x / 8) % colours.size()];
            samples.insert(samples.end(), c.begin(), c.begin() + components);
        }
    return samples;
}

void ExpectNear(int argb, uint32_t expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        int got = static_cast<int>(static_cast<uint32_t>(argb) >> shift & 255);
        int want = static_cast<int>(expected >> shift & 255);
        EXPECT_LE(std::abs(got - want), 3) << std::hex << argb << " vs " << expected;
    }
}

TEST_F(JpegLoaderTest, GreyDecodesToIntensity) {
    auto samples = Blocks(16, 16, 1, {{10}, {200}, {128}, {255}});
    auto pixmap = test::LoadBytes(test::WriteJpeg(16, 16, 1, samples));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, FMT_I8);
    EXPECT_EQ(pixmap->width, 16);
    ExpectNear(pixmap->ReadPixel(3, 3), 0xFF0A0A0A);
    ExpectNear(pixmap->ReadPixel(12, 3), 0xFFC8C8C8);
    ExpectNear(pixmap->ReadPixel(3, 12), 0xFF808080);
    ExpectNear(pixmap->ReadPixel(12, 12), 0xFFFFFFFF);
}

TEST_F(JpegLoaderTest, ColourDecodesToRgb) {
    auto samples = Blocks(24, 8, 3, {{255, 0, 0}, {0, 128, 255}, {40, 200, 90}});
    auto pixmap = test::LoadBytes(test::WriteJpeg(24, 8, 3, samples));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->format, FMT_RGB888);
    EXPECT_EQ(pixmap->pitch, 72);
    ExpectNear(pixmap->ReadPixel(4, 4), 0xFFFF0000);
    ExpectNear(pixmap->ReadPixel(12, 4), 0xFF0080FF);
    ExpectNear(pixmap->ReadPixel(20, 4), 0xFF28C85A);
}

TEST_F(JpegLoaderTest, FourComponentsAreRefused) {
    auto cmyk = test::WriteJpeg(8, 8, 4, std::vector<uint8_t>(8 * 8 * 4, 100));
    TJpegLoader loader;
    EXPECT_EQ(test::LoadWith(loader, cmyk), nullptr);
    EXPECT_EQ(test::LoadBytes(cmyk), nullptr);
}

TEST_F(JpegLoaderTest, DamagedFilesGiveNullWithoutEndingTheProcess) {
    Bytes good = test::WriteJpeg(16, 16, 3, Blocks(16, 16, 3, {{1, 2, 3}, {90, 80, 70}}));
    TJpegLoader loader;
    EXPECT_EQ(test::LoadBytes("\xFF\xD8\xFF\x01garbage that is not a marker segment"), nullptr);
    EXPECT_EQ(test::LoadWith(loader, "not a jpeg at all"), nullptr);
    Bytes truncated = good.substr(0, good.size() / 2);
    EXPECT_THROW(test::LoadWith(loader, truncated), TStreamReadException);
    EXPECT_EQ(test::LoadBytes(truncated), nullptr);
    Bytes corrupt = good;
    size_t frame = corrupt.find("\xFF\xC0");
    ASSERT_NE(frame, Bytes::npos);
    corrupt.replace(frame + 5, 4, Bytes(4, '\0'));  // a frame of 0 x 0 pixels
    EXPECT_EQ(test::LoadWith(loader, corrupt), nullptr);
}

}  // namespace
}  // namespace vellum
