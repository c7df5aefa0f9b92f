#pragma once
/// \file
/// Pixel formats of TPixmap and their per-format tables. A pixel value handed
/// to callers is a 32-bit ARGB int: alpha in bits 24-31, then red, green, blue.

#pragma GCC visibility push(default)
namespace vellum {

constexpr int FMT_I8 = 1;        ///< intensity; reads with alpha 255
constexpr int FMT_A8 = 2;        ///< alpha; colour reads as white
constexpr int FMT_BGR888 = 3;    ///< blue, green, red
constexpr int FMT_RGB888 = 4;    ///< red, green, blue
constexpr int FMT_BGRA8888 = 5;  ///< blue, green, red, alpha
constexpr int FMT_RGBA8888 = 6;  ///< red, green, blue, alpha

/// True for the six known formats.
constexpr bool IsPixmapFormat(int format) { return format >= FMT_I8 && format <= FMT_RGBA8888; }

/// Bytes per pixel of format; 0 for an unknown format.
constexpr int BytesPerPixel(int format) {
    constexpr int table[] = {0, 1, 1, 3, 3, 4, 4};
    return IsPixmapFormat(format) ? table[format] : 0;
}

/// True when format carries alpha.
constexpr bool FormatHasAlpha(int format) {
    return format == FMT_A8 || format == FMT_BGRA8888 || format == FMT_RGBA8888;
}

}  // namespace vellum
#pragma GCC visibility pop
