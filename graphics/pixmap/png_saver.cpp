// PNG encoding through libpng, into memory first: libpng's longjmp then
// never crosses C++ frames, and the stream sees one plain write.

#include <png.h>

#include <csetjmp>
#include <exception>
#include <vector>

#include "graphics/pixmap_save.h"
#include "stream/open_stream.h"
#include "stream/stream.h"

namespace vellum {

namespace {

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

void AppendPngData(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushPngData(png_structp) {}

// Frames that setjmp returns to hold nothing with a destructor.
bool EncodePng(png_structp png, png_infop info, const TPixmap& pixmap, bool alpha) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixmap.width), static_cast<png_uint_32>(pixmap.height), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pixmap.height; ++y) png_write_row(png, pixmap.pixels + static_cast<std::ptrdiff_t>(y) * pixmap.pitch);
    png_write_end(png, info);
    return true;
}

}  // namespace

int SavePixmapPNG(const Ref<TPixmap>& pixmap, const Ref<TObject>& url) {
    if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) return 0;
    const bool alpha = pixmap->format == FMT_A8 || pixmap->format == FMT_RGBA8888 || pixmap->format == FMT_BGRA8888;
    Ref<TPixmap> rows = pixmap->format == (alpha ? FMT_RGBA8888 : FMT_RGB888)
                            ? pixmap
                            : pixmap->Convert(alpha ? FMT_RGBA8888 : FMT_RGB888);
    std::vector<unsigned char> encoded;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png) return 0;
    png_infop info = png_create_info_struct(png);
    bool encodedOk = false;
    if (info) {
        png_set_write_fn(png, &encoded, AppendPngData, FlushPngData);
        encodedOk = EncodePng(png, info, *rows, alpha);
    }
    png_destroy_write_struct(&png, &info);
    if (!encodedOk) return 0;

    Ref<TStream> stream = OpenWriteStream(url);
    if (!stream) return 0;
    bool written = true;
    try {
        stream->WriteBytes(encoded.data(), static_cast<int>(encoded.size()));
    } catch (const std::exception&) {
        written = false;
    }
    return CloseWrittenStream(*stream) && written ? 1 : 0;
}

int SavePixmapPNG(const Ref<TPixmap>& pixmap, const String& url) { return SavePixmapPNG(pixmap, BoxString(url)); }

}  // namespace vellum
