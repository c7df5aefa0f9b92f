#include "graphics/pixmap_functions.h"

#include <cstring>

#include "runtime/exception.h"

namespace vellum {

TPixmap& CheckedPixmap(const Ref<TPixmap>& pixmap) { return NotNull(pixmap, u"Pixmap"); }

Ref<TPixmap> CreatePixmap(int width, int height, int format, int align) {
    return TPixmap::Create(width, height, format, align);
}

Ref<TPixmap> CreateStaticPixmap(void* pixels, int width, int height, int pitch, int format) {
    return TPixmap::CreateStatic(pixels, width, height, pitch, format);
}

Ref<TPixmap> CopyPixmap(const Ref<TPixmap>& pixmap) { return CheckedPixmap(pixmap).Copy(); }

Ref<TPixmap> ConvertPixmap(const Ref<TPixmap>& pixmap, int format) {
    return CheckedPixmap(pixmap).Convert(format);
}

int PixmapWidth(const Ref<TPixmap>& pixmap) { return CheckedPixmap(pixmap).width; }
int PixmapHeight(const Ref<TPixmap>& pixmap) { return CheckedPixmap(pixmap).height; }
int PixmapPitch(const Ref<TPixmap>& pixmap) { return CheckedPixmap(pixmap).pitch; }
int PixmapFormat(const Ref<TPixmap>& pixmap) { return CheckedPixmap(pixmap).format; }

uint8_t* PixmapPixelPtr(const Ref<TPixmap>& pixmap, int x, int y) { return CheckedPixmap(pixmap).PixelPtr(x, y); }

Ref<TPixmap> PixmapWindow(const Ref<TPixmap>& pixmap, int x, int y, int width, int height) {
    return CheckedPixmap(pixmap).Window(x, y, width, height);
}

int ReadPixel(const Ref<TPixmap>& pixmap, int x, int y) { return CheckedPixmap(pixmap).ReadPixel(x, y); }

void WritePixel(const Ref<TPixmap>& pixmap, int x, int y, int argb) {
    CheckedPixmap(pixmap).WritePixel(x, y, argb);
}

Ref<TPixmap> XFlipPixmap(const Ref<TPixmap>& pixmap) {
    TPixmap& source = CheckedPixmap(pixmap);
    auto result = TPixmap::Create(source.width, source.height, source.format, 4);
    if (source.width == 0) return result;
    int bpp = BytesPerPixel(source.format);
    for (int y = 0; y < source.height; y++) {
        const uint8_t* in = source.PixelPtr(0, y);
        uint8_t* out = result->PixelPtr(source.width - 1, y);
        for (int x = 0; x < source.width; x++, in += bpp, out -= bpp) std::memcpy(out, in, bpp);
    }
    return result;
}

Ref<TPixmap> YFlipPixmap(const Ref<TPixmap>& pixmap) {
    TPixmap& source = CheckedPixmap(pixmap);
    auto result = TPixmap::Create(source.width, source.height, source.format, 4);
    size_t rowBytes = static_cast<size_t>(source.width) * BytesPerPixel(source.format);
    if (rowBytes > 0)
        for (int y = 0; y < source.height; y++)
            std::memcpy(result->PixelPtr(0, source.height - 1 - y), source.PixelPtr(0, y), rowBytes);
    return result;
}

}  // namespace vellum
