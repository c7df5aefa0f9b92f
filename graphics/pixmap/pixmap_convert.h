#pragma once
// Pixel conversion between the pixmap formats. Every conversion between two
// different formats goes through RGBA8888: intensity reads as (255, v, v, v),
// alpha as (a, 255, 255, 255), three-byte formats with alpha 255; writing
// intensity stores (r + g + b) / 3, alpha stores a, three-byte formats drop a.

#include <cstdint>

namespace vellum {

// The ARGB value of the pixel at p, stored in format.
int UnpackPixel(const uint8_t* p, int format);
// Stores the ARGB value at p in format.
void PackPixel(uint8_t* p, int format, int argb);

// Expands count pixels of format into RGBA8888 bytes.
void RowToRgba(const uint8_t* src, int format, uint8_t* rgba, int count);
// Packs count RGBA8888 pixels into format.
void RowFromRgba(const uint8_t* rgba, int format, uint8_t* dst, int count);
// Converts count pixels between formats; equal formats are copied byte for byte.
void ConvertRow(const uint8_t* src, int srcFormat, uint8_t* dst, int dstFormat, int count);

}  // namespace vellum
