#pragma once
// Shared body of the picture-loader fuzz targets: one loader over the input
// bytes through a RAM stream. Stream errors are the loader's way of saying
// the file is truncated; crashes, undefined behaviour, leaks, pictures
// beyond the limits and unreadable pixels are findings.

#include <climits>
#include <cstddef>
#include <cstdint>

#include "graphics/pictures_all.h"
#include "pixmap/picture_loaders.h"
#include "runtime/exception.h"
#include "stream/ram_stream.h"

namespace vellum::fuzz {

inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

template <class Loader>
int FuzzLoader(const uint8_t* data, size_t size) {
    static bool started = (InitPixmapModule(), true);
    (void)started;
    if (size > INT_MAX) return 0;
    auto stream = CreateRamStream(const_cast<uint8_t*>(data), static_cast<int>(size), 1, 0);
    Loader loader;
    Ref<TPixmap> pixmap;
    try {
        pixmap = loader.LoadPixmap(*stream);
    } catch (const TStreamException&) {
        return 0;
    }
    if (!pixmap) return 0;
    Check(PictureSizeAllowed(pixmap->width, pixmap->height, BytesPerPixel(pixmap->format)));
    // The first and last pixel of every row must be readable.
    for (int y = 0; y < pixmap->height; y++) {
        pixmap->ReadPixel(0, y);
        pixmap->ReadPixel(pixmap->width - 1, y);
    }
    return 0;
}

}  // namespace vellum::fuzz
