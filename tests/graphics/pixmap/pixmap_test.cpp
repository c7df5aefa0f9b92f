// Pixel buffers: layout, conversion rules, windows, masking, flipping, resizing.

#include <cstring>

#include "picture_test_util.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

using test::Argb;
using test::Pixels;

constexpr int kFormats[] = {FMT_I8, FMT_A8, FMT_BGR888, FMT_RGB888, FMT_BGRA8888, FMT_RGBA8888};

// A small pixmap of format holding a spread of colours and alphas.
Ref<TPixmap> Sample(int format, int width = 5, int height = 3) {
    auto p = TPixmap::Create(width, height, format, 4);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            p->WritePixel(x, y, static_cast<int>(0x10305070u * (x + 1) + 0x01020304u * (y * 7 + 3)));
    return p;
}

TEST(PixmapLayout, PitchIsRowBytesRoundedUpToTheAlignment) {
    auto p = TPixmap::Create(5, 3, FMT_RGB888, 4);
    EXPECT_EQ(p->pitch, 16);
    EXPECT_EQ(p->capacity, 48);
    EXPECT_EQ(TPixmap::Create(5, 3, FMT_RGB888, 1)->pitch, 15);
    EXPECT_EQ(TPixmap::Create(5, 3, FMT_RGB888, 8)->pitch, 16);
    EXPECT_EQ(TPixmap::Create(3, 1, FMT_A8, 4)->pitch, 4);
    EXPECT_EQ(p->PixelPtr(2, 1), p->pixels + 16 + 6);
}

TEST(PixmapLayout, InvalidRequestsRaiseErrors) {
    EXPECT_THROW(TPixmap::Create(4, 4, 7, 4), TRuntimeException);
    EXPECT_THROW(TPixmap::Create(-1, 4, FMT_A8, 4), TRuntimeException);
    EXPECT_THROW(TPixmap::Create(4, 4, FMT_A8, 0), TRuntimeException);
    EXPECT_THROW(TPixmap::Create(40000, 40000, FMT_RGBA8888, 4), TRuntimeException);
    EXPECT_THROW(CopyPixmap(nullptr), TRuntimeException);
    auto p = TPixmap::Create(2, 2, FMT_RGB888, 4);
    EXPECT_THROW(p->ReadPixel(2, 0), TRuntimeException);
    EXPECT_THROW(p->WritePixel(0, -1, 0), TRuntimeException);
    EXPECT_THROW(p->Window(1, 1, 2, 1), TRuntimeException);
    EXPECT_THROW(p->Paste(*TPixmap::Create(2, 2, FMT_A8, 4), 1, 0), TRuntimeException);
}

TEST(PixelConversion, ReadingFollowsTheFormatRules) {
    auto a8 = TPixmap::Create(1, 1, FMT_A8, 4);
    a8->pixels[0] = 0x80;
    EXPECT_EQ(ReadPixel(a8, 0, 0), Argb(0x80FFFFFF));
    auto i8 = TPixmap::Create(1, 1, FMT_I8, 4);
    i8->pixels[0] = 0x40;
    EXPECT_EQ(ReadPixel(i8, 0, 0), Argb(0xFF404040));
    auto bgr = TPixmap::Create(1, 1, FMT_BGR888, 4);
    std::memcpy(bgr->pixels, "\x01\x02\x03", 3);
    EXPECT_EQ(bgr->ReadPixel(0, 0), Argb(0xFF030201));
    auto rgba = TPixmap::Create(1, 1, FMT_RGBA8888, 4);
    std::memcpy(rgba->pixels, "\x01\x02\x03\x04", 4);
    EXPECT_EQ(rgba->ReadPixel(0, 0), Argb(0x04010203));
}

TEST(PixelConversion, WritingFollowsTheFormatRules) {
    auto i8 = TPixmap::Create(1, 1, FMT_I8, 4);
    WritePixel(i8, 0, 0, Argb(0xFF102030));
    EXPECT_EQ(i8->pixels[0], 0x20);
    auto a8 = TPixmap::Create(1, 1, FMT_A8, 4);
    a8->WritePixel(0, 0, Argb(0x7F102030));
    EXPECT_EQ(a8->pixels[0], 0x7F);
    auto rgb = TPixmap::Create(1, 1, FMT_RGB888, 4);
    rgb->WritePixel(0, 0, Argb(0x00112233));
    EXPECT_EQ(rgb->ReadPixel(0, 0), Argb(0xFF112233));
    auto bgra = TPixmap::Create(1, 1, FMT_BGRA8888, 4);
    bgra->WritePixel(0, 0, Argb(0x44112233));
    EXPECT_EQ(std::memcmp(bgra->pixels, "\x33\x22\x11\x44", 4), 0);
}

// Whole-pixmap conversion must agree with reading a pixel and writing it in
// the other format, for every pair of formats.
TEST(PixelConversion, ConvertAgreesWithPerPixelRules) {
    for (int from : kFormats) {
        for (int to : kFormats) {
            auto source = Sample(from);
            auto converted = ConvertPixmap(source, to);
            ASSERT_EQ(converted->format, to);
            EXPECT_EQ(converted->pitch % 4, 0);
            auto expected = TPixmap::Create(source->width, source->height, to, 4);
            for (int y = 0; y < source->height; y++)
                for (int x = 0; x < source->width; x++) expected->WritePixel(x, y, source->ReadPixel(x, y));
            EXPECT_EQ(Pixels(converted), Pixels(expected)) << "from " << from << " to " << to;
        }
    }
}

TEST(PixmapWindows, ShareMemoryAndKeepTheirSourceAlive) {
    auto parent = Sample(FMT_RGB888, 6, 4);
    auto expected = parent->ReadPixel(3, 2);
    auto window = PixmapWindow(parent, 2, 1, 3, 2);
    EXPECT_EQ(window->capacity, -1);
    EXPECT_EQ(window->pitch, parent->pitch);
    EXPECT_EQ(window->pixels, parent->PixelPtr(2, 1));
    parent.reset();
    EXPECT_EQ(window->ReadPixel(1, 1), expected);
    window->WritePixel(0, 0, Argb(0xFF0A0B0C));
    EXPECT_EQ(Cast<TPixmap>(window->_source)->ReadPixel(2, 1), Argb(0xFF0A0B0C));
}

TEST(PixmapWindows, CopyPacksRowsAndPasteConverts) {
    auto parent = Sample(FMT_BGRA8888, 7, 5);
    auto window = parent->Window(1, 1, 3, 3);
    auto copy = window->Copy();
    EXPECT_EQ(copy->pitch, 12);
    EXPECT_EQ(Pixels(copy), Pixels(window));

    auto target = TPixmap::Create(5, 5, FMT_RGB888, 4);
    target->ClearPixels(0);
    target->Paste(*copy, 2, 1);
    EXPECT_EQ(target->ReadPixel(1, 1), Argb(0xFF000000));
    EXPECT_EQ(target->ReadPixel(2, 1), window->ReadPixel(0, 0) | Argb(0xFF000000));
    EXPECT_EQ(target->ReadPixel(4, 3), window->ReadPixel(2, 2) | Argb(0xFF000000));
}

TEST(PixmapWindows, ClearingAWindowLeavesTheRestOfTheRowAlone) {
    auto parent = TPixmap::Create(4, 3, FMT_RGBA8888, 4);
    parent->ClearPixels(Argb(0x11223344));
    parent->Window(1, 1, 2, 2)->ClearPixels(0);
    EXPECT_EQ(Pixels(parent), (std::vector<int>{0x11223344, 0x11223344, 0x11223344, 0x11223344,  //
                                                0x11223344, 0, 0, 0x11223344,                    //
                                                0x11223344, 0, 0, 0x11223344}));
    auto i8 = TPixmap::Create(3, 1, FMT_I8, 4);
    i8->ClearPixels(Argb(0xFF102030));
    EXPECT_EQ(std::memcmp(i8->pixels, "\x20\x20\x20", 3), 0);
}

TEST(PixmapMask, SinglePixelOfTheMaskColourBecomesClearBlack) {
    auto p = TPixmap::Create(1, 1, FMT_RGB888, 4);
    p->WritePixel(0, 0, Argb(0xFFFF00FF));
    auto masked = MaskPixmap(p, 255, 0, 255);
    EXPECT_EQ(masked->format, FMT_RGBA8888);
    EXPECT_EQ(masked->ReadPixel(0, 0), 0);
}

TEST(PixmapMask, MaskedPixelsTakeTheAverageOfUnmaskedNeighbours) {
    auto p = TPixmap::Create(3, 2, FMT_BGR888, 4);
    p->ClearPixels(Argb(0xFF000000));  // black is the mask colour
    p->WritePixel(0, 0, Argb(0xFF102030));
    p->WritePixel(2, 1, Argb(0xFF304051));
    auto masked = MaskPixmap(p, 0, 0, 0);
    EXPECT_EQ(masked->ReadPixel(0, 0), Argb(0xFF102030));  // kept, opaque
    EXPECT_EQ(masked->ReadPixel(1, 0), Argb(0x00203040));  // both neighbours: (0x10+0x30)/2 ...
    EXPECT_EQ(masked->ReadPixel(1, 1), Argb(0x00203040));
    EXPECT_EQ(masked->ReadPixel(0, 1), Argb(0x00102030));  // only (0, 0) is near
    // Alpha in the source does not survive: unmasked pixels are opaque.
    auto rgba = TPixmap::Create(1, 1, FMT_RGBA8888, 4);
    rgba->WritePixel(0, 0, Argb(0x10AABBCC));
    EXPECT_EQ(MaskPixmap(rgba, 0, 0, 0)->ReadPixel(0, 0), Argb(0xFFAABBCC));
}

TEST(PixmapFlip, MirrorsKeepTheFormat) {
    auto p = Sample(FMT_RGB888, 3, 2);
    auto x = XFlipPixmap(p), y = YFlipPixmap(p);
    EXPECT_EQ(x->format, FMT_RGB888);
    for (int j = 0; j < 2; j++) {
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(x->ReadPixel(i, j), p->ReadPixel(2 - i, j));
            EXPECT_EQ(y->ReadPixel(i, j), p->ReadPixel(i, 1 - j));
        }
    }
}

TEST(PixmapResize, SameSizeReproducesThePicture) {
    for (int format : kFormats) {
        auto p = Sample(format, 7, 5);
        auto r = ResizePixmap(p, 7, 5);
        EXPECT_EQ(r->format, format);
        EXPECT_EQ(Pixels(r), Pixels(p));
    }
}

TEST(PixmapResize, SamplesAtPixelCentres) {
    auto row = TPixmap::Create(2, 1, FMT_I8, 4);
    row->pixels[0] = 0, row->pixels[1] = 100;
    auto wide = ResizePixmap(row, 4, 1);
    EXPECT_EQ(std::vector<int>(wide->pixels, wide->pixels + 4), (std::vector<int>{0, 25, 75, 100}));

    auto four = TPixmap::Create(4, 1, FMT_A8, 4);
    std::memcpy(four->pixels, "\x00\x64\xC8\x28", 4);  // 0, 100, 200, 40
    auto half = ResizePixmap(four, 2, 1);
    EXPECT_EQ(std::vector<int>(half->pixels, half->pixels + 2), (std::vector<int>{50, 120}));

    // Columns and rows both: a 2 x 2 grey ramp doubled.
    auto square = TPixmap::Create(2, 2, FMT_I8, 4);
    square->pixels[0] = 0, square->pixels[1] = 80;
    square->pixels[square->pitch] = 160, square->pixels[square->pitch + 1] = 240;
    auto big = ResizePixmap(square, 4, 4);
    EXPECT_EQ(big->PixelPtr(1, 1)[0], 60);  // tx = ty = 0.25: 0 + 20 + 40
    EXPECT_EQ(big->PixelPtr(2, 2)[0], 180);
    EXPECT_THROW(ResizePixmap(square, 0, 4), TRuntimeException);
}

}  // namespace
}  // namespace vellum
