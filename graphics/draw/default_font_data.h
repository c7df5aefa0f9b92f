#pragma once
// The built-in 8 x 16 font: 16 rows of 96 bytes. Byte j of row r holds row r
// of the glyph for character 32 + j; bit k (least significant first) is
// pixel k from the left.
#include <cstdint>
namespace vellum {
extern const uint8_t kDefaultFontBitmap[1536];
}
