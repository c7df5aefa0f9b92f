// TGA files built byte by byte: every pixel size, raw and run-length, both
// origins; colour-mapped and hostile files give Null.

#include "picture_test_util.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

using test::Argb;
using test::Bytes;
using test::TgaHeader;
using TgaLoaderTest = test::PictureTest;

Bytes Pixel16(int v) { return Bytes{char(v & 255), char(v >> 8)}; }

TEST_F(TgaLoaderTest, RawPixelSizesDecodeBottomUp) {
    // 2 x 2; the file stores the bottom row first.
    Bytes b24 = TgaHeader(2, 2, 2, 24) + "\x01\x02\x03\x04\x05\x06" + "\x0A\x0B\x0C\x0D\x0E\x0F";
    auto p24 = test::LoadBytes(b24);
    ASSERT_NE(p24, nullptr);
    EXPECT_EQ(p24->format, FMT_RGB888);
    EXPECT_EQ(test::Pixels(p24), (std::vector<int>{Argb(0xFF0C0B0A), Argb(0xFF0F0E0D),  //
                                                   Argb(0xFF030201), Argb(0xFF060504)}));

    Bytes b32 = TgaHeader(2, 1, 1, 32) + Bytes("\x01\x02\x03\x00", 4);
    auto p32 = test::LoadBytes(b32);
    ASSERT_NE(p32, nullptr);
    EXPECT_EQ(p32->format, FMT_RGBA8888);
    EXPECT_EQ(p32->ReadPixel(0, 0), Argb(0x00030201));
}

TEST_F(TgaLoaderTest, FifteenAndSixteenBitPixels) {
    // red 31, green 1, blue 16: 0b0_11111_00001_10000.
    int v = 31 << 10 | 1 << 5 | 16;
    auto p15 = test::LoadBytes(TgaHeader(2, 2, 1, 15) + Pixel16(v) + Pixel16(v | 0x8000));
    ASSERT_NE(p15, nullptr);
    EXPECT_EQ(p15->format, FMT_RGB888);
    EXPECT_EQ(test::Pixels(p15), (std::vector<int>{Argb(0xFFF80880), Argb(0xFFF80880)}));

    auto p16 = test::LoadBytes(TgaHeader(2, 2, 1, 16) + Pixel16(v) + Pixel16(v | 0x8000));
    ASSERT_NE(p16, nullptr);
    EXPECT_EQ(p16->format, FMT_RGBA8888);
    // Bit 15 set marks a transparent pixel.
    EXPECT_EQ(test::Pixels(p16), (std::vector<int>{Argb(0xFFF80880), Argb(0x00F80880)}));
}

TEST_F(TgaLoaderTest, RunLengthPacketsRepeatAndCopy) {
    // 4 x 2 at 24 bits: bottom row = one run of 3 and one raw pixel; top row
    // = raw 2, run 2.
    Bytes data = Bytes("\x82\x01\x02\x03", 4) + Bytes("\x00\x04\x05\x06", 4) +
                 Bytes("\x01\x07\x08\x09\x0A\x0B\x0C", 7) + Bytes("\x81\x0D\x0E\x0F", 4);
    auto p = test::LoadBytes(TgaHeader(10, 4, 2, 24) + data);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(test::Pixels(p), (std::vector<int>{Argb(0xFF090807), Argb(0xFF0C0B0A), Argb(0xFF0F0E0D),
                                                 Argb(0xFF0F0E0D), Argb(0xFF030201), Argb(0xFF030201),
                                                 Argb(0xFF030201), Argb(0xFF060504)}));

    // 16 bits with alpha, and a packet that carries over into the next row.
    int v = 31 << 10;
    Bytes carried = Bytes(1, '\x83') + Pixel16(v | 0x8000);
    auto q = test::LoadBytes(TgaHeader(10, 2, 2, 16) + carried);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(test::Pixels(q), std::vector<int>(4, Argb(0x00F80000)));
}

TEST_F(TgaLoaderTest, OriginBitsFlipTheStoredOrder) {
    Bytes rows = Bytes("\x01\x01\x01\x02\x02\x02", 6) + Bytes("\x03\x03\x03\x04\x04\x04", 6);
    auto top = test::LoadBytes(TgaHeader(2, 2, 2, 24, 0x20) + rows);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(test::Pixels(top), (std::vector<int>{Argb(0xFF010101), Argb(0xFF020202),  //
                                                   Argb(0xFF030303), Argb(0xFF040404)}));
    auto right = test::LoadBytes(TgaHeader(2, 2, 2, 24, 0x30) + rows);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(test::Pixels(right), (std::vector<int>{Argb(0xFF020202), Argb(0xFF010101),  //
                                                     Argb(0xFF040404), Argb(0xFF030303)}));
}

TEST_F(TgaLoaderTest, IdentificationFieldIsSkipped) {
    auto p = test::LoadBytes(TgaHeader(2, 1, 1, 24, 0, 5) + "hello" + "\x01\x02\x03");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ReadPixel(0, 0), Argb(0xFF030201));
}

TEST_F(TgaLoaderTest, RefusedHeadersGiveNull) {
    TTgaLoader loader;
    Bytes pixel("\x01\x02\x03", 3);
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(1, 1, 1, 24) + pixel), nullptr);        // colour-mapped type
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(2, 1, 1, 24, 0, 0, 1) + pixel), nullptr);  // has a colour map
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(3, 1, 1, 8) + pixel), nullptr);         // grey
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(2, 1, 1, 8) + pixel), nullptr);
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(2, 0, 1, 24) + pixel), nullptr);
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(2, 4097, 1, 24) + pixel), nullptr);
    EXPECT_EQ(test::LoadWith(loader, "short"), nullptr);
    // The chain tries the other loaders and none accepts it.
    EXPECT_EQ(test::LoadBytes(TgaHeader(1, 1, 1, 24) + pixel), nullptr);
}

TEST_F(TgaLoaderTest, TruncatedDataIsAReadError) {
    TTgaLoader loader;
    EXPECT_THROW(test::LoadWith(loader, TgaHeader(2, 4, 4, 32) + Bytes(20, '\0')), TStreamReadException);
    EXPECT_THROW(test::LoadWith(loader, TgaHeader(10, 64, 64, 32) + "\x7F"), TStreamReadException);
    // 64 MB of pixels that 19 bytes cannot hold: refused before they are made.
    EXPECT_EQ(test::LoadWith(loader, TgaHeader(10, 4096, 4096, 32) + "\x7F"), nullptr);
    EXPECT_EQ(test::LoadBytes(TgaHeader(10, 4, 4, 24) + "\x81\x01\x02\x03"), nullptr);
}

}  // namespace
}  // namespace vellum
