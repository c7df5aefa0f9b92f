#pragma once
// The four picture loaders of the chain. Each answers Null for data that is
// not its format or that it cannot decode, so the next loader is tried.

#include "graphics/pixmap_loader.h"

namespace vellum {

// PNG through libpng: grey -> I8, RGB -> RGB888, RGBA and grey with alpha ->
// RGBA8888; 16-bit channels are cut to 8, palettes and low depths expanded.
class TPngLoader : public TPixmapLoader {
public:
    Ref<TPixmap> LoadPixmap(TStream& stream) override;
};

// JPEG through libjpeg: one component -> I8, three -> RGB888.
class TJpegLoader : public TPixmapLoader {
public:
    Ref<TPixmap> LoadPixmap(TStream& stream) override;
};

// Windows bitmaps of 1, 4, 8, 24 and 32 bits, uncompressed (32 bits also with
// bit-field masks), bottom-up or top-down: 32 bits -> BGRA8888, else BGR888.
class TBmpLoader : public TPixmapLoader {
public:
    Ref<TPixmap> LoadPixmap(TStream& stream) override;
};

// Targa true-colour pictures of 15, 16, 24 and 32 bits, raw or run-length:
// 16 and 32 bits -> RGBA8888, 15 and 24 -> RGB888.
class TTgaLoader : public TPixmapLoader {
public:
    Ref<TPixmap> LoadPixmap(TStream& stream) override;
};

}  // namespace vellum
