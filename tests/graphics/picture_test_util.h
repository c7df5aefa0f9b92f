#pragma once
// Helpers for the picture and font tests: encoders written against libpng
// and libjpeg, byte builders for BMP and TGA files, and loading from memory.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/pictures_all.h"
#include "pixmap/picture_loaders.h"

namespace vellum::test {

using Bytes = std::string;

// The module started for each test.
class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPixmapModule();
        InitFontModule();
    }
};

// A PNG file written by libpng. rows hold the samples of each row as
// integers (palette indices, grey levels or channel values in order).
struct PngLayout {
    int width = 0;
    int height = 0;
    int colorType = 0;
    int bitDepth = 8;
    bool interlace = false;
    std::vector<uint32_t> palette;      // 0xRRGGBB entries
    std::vector<uint8_t> paletteAlpha;  // tRNS for palettes
    int trnsGrey = -1;                  // tRNS for grey pictures
    std::vector<std::vector<int>> rows;
};
Bytes WritePng(const PngLayout& layout);
// A PNG of that size (8 bits) cut off where its pixel data would begin.
Bytes WritePngWithoutData(int width, int height, int colorType);

// A JPEG file written by libjpeg from packed samples (1, 3 or 4 per pixel).
Bytes WriteJpeg(int width, int height, int components, const std::vector<uint8_t>& samples);

// A BMP file. pixels holds per pixel a palette index (bpp <= 8) or 0xAARRGGBB.
struct BmpLayout {
    int width = 0;
    int height = 0;  // negative for a top-down file
    int bpp = 24;
    int headerSize = 40;
    int compression = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB entries
    int coloursUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha for compression 3
    int gap = 0;                       // bytes between the palette and the pixels
    std::vector<uint32_t> pixels;      // rows top to bottom
};
Bytes WriteBmp(const BmpLayout& layout);

// The 18-byte TGA header.
Bytes TgaHeader(int imageType, int width, int height, int psize, int attbits = 0, int idlen = 0,
                int colourMapType = 0);

// Decoding from memory: through the whole chain, or through one loader.
Ref<TPixmap> LoadBytes(const Bytes& bytes);
Ref<TPixmap> LoadWith(TPixmapLoader& loader, const Bytes& bytes);

// Every pixel's ARGB value, row by row.
std::vector<int> Pixels(const Ref<TPixmap>& pixmap);

// An ARGB value written as unsigned hex.
constexpr int Argb(uint32_t value) { return static_cast<int>(value); }

}  // namespace vellum::test
