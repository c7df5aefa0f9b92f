#pragma once
/// \file
/// TPixmap: a rectangle of pixels in one of the six formats, with a row pitch.
/// Memory is either owned (capacity >= 0, freed with the pixmap) or borrowed
/// (capacity -1), in which case _source may keep its owner alive.

#include <cstdint>
#include <memory>

#include "graphics/pixmap_format.h"
#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A rectangle of pixels in one of the FMT_ formats, row after row.
class TPixmap : public TObject {
public:
    /// Owned memory for width x height pixels; each row padded to a multiple of
    /// align bytes. Contents are undefined. Raises a runtime error for an unknown
    /// format, a negative size, align < 1 or more than 2 GiB of pixels.
    static Ref<TPixmap> Create(int width, int height, int format, int align);
    /// Wraps foreign memory, which must outlive the pixmap (capacity -1).
    static Ref<TPixmap> CreateStatic(void* pixels, int width, int height, int pitch, int format);

    /// Address of pixel (x, y).
    virtual uint8_t* PixelPtr(int x, int y);
    /// A pixmap sharing this one's memory from (x, y), which it keeps alive.
    /// The window must lie inside this pixmap.
    virtual Ref<TPixmap> Window(int x, int y, int width, int height);
    /// A copy with the same size and format, rows aligned to 4 bytes.
    virtual Ref<TPixmap> Copy();
    /// Converts source into this pixmap at (x, y); it must fit inside.
    virtual void Paste(const TPixmap& source, int x, int y);
    /// A copy in another format, rows aligned to 4 bytes.
    virtual Ref<TPixmap> Convert(int format);
    /// The ARGB value of pixel (x, y), which must lie inside.
    virtual int ReadPixel(int x, int y);
    /// Stores an ARGB value at pixel (x, y), which must lie inside.
    virtual void WritePixel(int x, int y, int argb);
    /// Sets every pixel to argb; 0 clears the bytes.
    virtual void ClearPixels(int argb);

    uint8_t* pixels = nullptr;  ///< the first pixel of the top row
    int width = 0;              ///< pixels per row
    int height = 0;             ///< rows
    int pitch = 0;              ///< bytes from one row to the next
    int format = 0;             ///< the pixel format
    int capacity = -1;          ///< bytes owned, -1 for borrowed memory
    Ref<TObject> _source;       ///< what borrowed memory belongs to, kept alive

private:
    /// Address of row y, usable on a const pixmap.
    const uint8_t* RowPtr(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * pitch; }
    void CheckInside(int x, int y) const;

    std::unique_ptr<uint8_t[]> _memory;
};

}  // namespace vellum
#pragma GCC visibility pop
