#include "graphics/pixmap.h"

#include <climits>
#include <cstring>

#include "pixmap/pixmap_convert.h"
#include "runtime/exception.h"

namespace vellum {

Ref<TPixmap> TPixmap::Create(int width, int height, int format, int align) {
    if (!IsPixmapFormat(format)) throw TRuntimeException(u"Invalid pixmap format");
    if (width < 0 || height < 0) throw TRuntimeException(u"Invalid pixmap size");
    if (align < 1) throw TRuntimeException(u"Invalid pixmap alignment");
    long long rowBytes = static_cast<long long>(width) * BytesPerPixel(format);
    long long pitch = (rowBytes + align - 1) / align * align;
    long long bytes = pitch * height;
    if (bytes > INT_MAX) throw TRuntimeException(u"Pixmap too large");
    auto pixmap = New<TPixmap>();
    pixmap->_memory.reset(new uint8_t[bytes > 0 ? bytes : 1]);
    pixmap->pixels = pixmap->_memory.get();
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = static_cast<int>(pitch);
    pixmap->format = format;
    pixmap->capacity = static_cast<int>(bytes);
    return pixmap;
}

Ref<TPixmap> TPixmap::CreateStatic(void* pixels, int width, int height, int pitch, int format) {
    if (!IsPixmapFormat(format)) throw TRuntimeException(u"Invalid pixmap format");
    if (width < 0 || height < 0) throw TRuntimeException(u"Invalid pixmap size");
    if (!pixels && width > 0 && height > 0) throw TRuntimeException(u"Pixmap memory is Null");
    auto pixmap = New<TPixmap>();
    pixmap->pixels = static_cast<uint8_t*>(pixels);
    pixmap->width = width;
    pixmap->height = height;
    pixmap->pitch = pitch;
    pixmap->format = format;
    pixmap->capacity = -1;
    return pixmap;
}

uint8_t* TPixmap::PixelPtr(int x, int y) {
    return pixels + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * BytesPerPixel(format);
}

Ref<TPixmap> TPixmap::Window(int x, int y, int w, int h) {
    if (x < 0 || y < 0 || w < 0 || h < 0 || w > width - x || h > height - y)
        throw TRuntimeException(u"Pixmap window lies outside the pixmap");
    auto window = CreateStatic(PixelPtr(x, y), w, h, pitch, format);
    window->_source = Self(this);
    return window;
}

Ref<TPixmap> TPixmap::Copy() {
    auto copy = Create(width, height, format, 4);
    size_t rowBytes = static_cast<size_t>(width) * BytesPerPixel(format);
    if (rowBytes > 0)
        for (int y = 0; y < height; y++) std::memcpy(copy->PixelPtr(0, y), RowPtr(y), rowBytes);
    return copy;
}

void TPixmap::Paste(const TPixmap& source, int x, int y) {
    if (x < 0 || y < 0 || source.width > width - x || source.height > height - y)
        throw TRuntimeException(u"Pasted pixmap does not fit");
    for (int row = 0; row < source.height; row++)
        ConvertRow(source.RowPtr(row), source.format, PixelPtr(x, y + row), format, source.width);
}

Ref<TPixmap> TPixmap::Convert(int newFormat) {
    auto result = Create(width, height, newFormat, 4);
    for (int y = 0; y < height; y++) ConvertRow(RowPtr(y), format, result->PixelPtr(0, y), newFormat, width);
    return result;
}

void TPixmap::CheckInside(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw TRuntimeException(u"Pixel lies outside the pixmap");
}

int TPixmap::ReadPixel(int x, int y) {
    CheckInside(x, y);
    return UnpackPixel(PixelPtr(x, y), format);
}

void TPixmap::WritePixel(int x, int y, int argb) {
    CheckInside(x, y);
    PackPixel(PixelPtr(x, y), format, argb);
}

void TPixmap::ClearPixels(int argb) {
    if (width == 0 || height == 0) return;
    int bpp = BytesPerPixel(format);
    size_t rowBytes = static_cast<size_t>(width) * bpp;
    if (argb == 0) {
        if (pitch == static_cast<int>(rowBytes)) {
            std::memset(pixels, 0, rowBytes * height);
        } else {
            for (int y = 0; y < height; y++) std::memset(PixelPtr(0, y), 0, rowBytes);
        }
        return;
    }
    uint8_t value[4];
    PackPixel(value, format, argb);
    for (int y = 0; y < height; y++) {
        uint8_t* p = PixelPtr(0, y);
        for (int x = 0; x < width; x++, p += bpp) std::memcpy(p, value, bpp);
    }
}

}  // namespace vellum
