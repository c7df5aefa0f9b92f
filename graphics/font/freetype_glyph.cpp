#include <cstdlib>

#include <ft2build.h>
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include "font/freetype_face.h"
#include "font/freetype_memory.h"
#include "graphics/pixmap_loader.h"
#include "runtime/exception.h"

namespace vellum {

namespace {

// FreeType stores rows downward for a positive pitch and upward for a
// negative one; either way this is the top row.
uint8_t* TopRow(const FT_Bitmap& bitmap) {
    if (bitmap.pitch >= 0) return bitmap.buffer;
    return bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1) * -bitmap.pitch;
}

// Bytes that one row of the bitmap needs.
long long RowBytes(const FT_Bitmap& bitmap) {
    int bits = 8;
    switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO: bits = 1; break;
        case FT_PIXEL_MODE_GRAY2: bits = 2; break;
        case FT_PIXEL_MODE_GRAY4: bits = 4; break;
        case FT_PIXEL_MODE_BGRA: bits = 32; break;
        default: break;
    }
    return (static_cast<long long>(bitmap.width) * bits + 7) / 8;
}

// An A8 copy of an 8-bit grey bitmap whose values run 0..levels - 1.
Ref<TPixmap> GreyPixmap(const FT_Bitmap& bitmap, int levels) {
    auto view = TPixmap::CreateStatic(TopRow(bitmap), static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows),
                                      bitmap.pitch, FMT_A8);
    auto pixmap = view->Copy();
    if (levels != 256 && levels > 1) {
        for (int y = 0; y < pixmap->height; y++) {
            uint8_t* p = pixmap->PixelPtr(0, y);
            for (int x = 0; x < pixmap->width; x++) p[x] = static_cast<uint8_t>(p[x] * 255 / (levels - 1));
        }
    }
    return pixmap;
}

// A monochrome bitmap as A8: bit 7 is the leftmost pixel; set bits are 255.
Ref<TPixmap> MonoPixmap(const FT_Bitmap& bitmap) {
    int w = static_cast<int>(bitmap.width), h = static_cast<int>(bitmap.rows);
    auto pixmap = TPixmap::Create(w, h, FMT_A8, 4);
    for (int y = 0; y < h; y++) {
        const uint8_t* in = TopRow(bitmap) + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* out = pixmap->PixelPtr(0, y);
        for (int x = 0; x < w; x++) out[x] = in[x >> 3] >> (7 - (x & 7)) & 1 ? 255 : 0;
    }
    return pixmap;
}

// Other depths (2- and 4-bit strikes) through FreeType's converter.
Ref<TPixmap> ConvertedPixmap(FT_Library library, const FT_Bitmap& bitmap) {
    struct Converted {
        FT_Library library;
        FT_Bitmap bitmap;
        ~Converted() { FT_Bitmap_Done(library, &bitmap); }
    } converted{library, {}};
    FT_Bitmap_Init(&converted.bitmap);
    TFreeTypeAllowance allowance(static_cast<long long>(bitmap.width) * bitmap.rows + MAX_DECODER_WORK_BYTES);
    if (FT_Bitmap_Convert(library, &bitmap, &converted.bitmap, 1) != 0) return nullptr;
    return GreyPixmap(converted.bitmap, converted.bitmap.num_grays);
}

}  // namespace

void TFreeTypeGlyph::GetRect(int& x, int& y, int& width, int& height) {
    x = _x;
    y = _y;
    width = _w;
    height = _h;
}

Ref<TGlyph> TFreeTypeFont::LoadGlyph(int index) {
    if (index < 0 || index >= CountGlyphs()) throw TRuntimeException(u"Glyph index out of range");
    if (_glyphs[index]) return _glyphs[index];
    // Stored before rendering, so a glyph that fails stays cached empty.
    auto glyph = New<TFreeTypeGlyph>();
    _glyphs[index] = glyph;
    Render(*glyph, index);
    return glyph;
}

void TFreeTypeFont::Render(TFreeTypeGlyph& glyph, int index) {
    FT_Face face = _face->face;
    {
        // A bitmap glyph's pixels come from the file.
        long long pixels = _face->fileBytes < MAX_PICTURE_BYTES ? _face->fileBytes : MAX_PICTURE_BYTES;
        TFreeTypeAllowance allowance(pixels + MAX_DECODER_WORK_BYTES);
        if (FT_Load_Glyph(face, static_cast<FT_UInt>(index) + 1, FT_LOAD_DEFAULT) != 0) return;
    }
    FT_GlyphSlot slot = face->glyph;
    long long rendered = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // A damaged outline can span tens of thousands of pixels; refuse
        // such a bitmap before FreeType allocates it.
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        long long w = ((box.xMax - box.xMin) >> 6) + 2, h = ((box.yMax - box.yMin) >> 6) + 2;
        // Nor is a glyph more than 8 em on a side believed, unless it is small anyway.
        long long side = 8LL * (face->size->metrics.y_ppem > 0 ? face->size->metrics.y_ppem : 1);
        if (!PictureSizeAllowed(w, h, 1) || (w * h > MAX_DECODER_WORK_BYTES && (w > side || h > side))) return;
        rendered = w * h;
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) {
        TFreeTypeAllowance allowance(rendered + MAX_DECODER_WORK_BYTES);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    }

    const FT_Bitmap& bitmap = slot->bitmap;
    glyph._x = slot->bitmap_left;
    glyph._y = _ascend - slot->bitmap_top;
    glyph._w = static_cast<int>(bitmap.width);
    glyph._h = static_cast<int>(bitmap.rows);
    glyph._advance = static_cast<float>(slot->advance.x >> 6);
    if (bitmap.width == 0 || bitmap.rows == 0 || !PictureSizeAllowed(bitmap.width, bitmap.rows, 1)) return;
    // A damaged bitmap font can report a size with no pixel rows behind it.
    if (!bitmap.buffer || std::abs(static_cast<long long>(bitmap.pitch)) < RowBytes(bitmap)) return;

    Ref<TPixmap> pixmap;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        pixmap = GreyPixmap(bitmap, bitmap.num_grays);
    } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        pixmap = MonoPixmap(bitmap);
    } else {
        pixmap = ConvertedPixmap(slot->library, bitmap);
    }
    if (!pixmap) return;

    if (_style & FONT_SMOOTH) {
        // A transparent border lets filtered drawing fade out at the edges.
        auto padded = TPixmap::Create(pixmap->width + 2, pixmap->height + 2, FMT_A8, 4);
        padded->ClearPixels(0);
        padded->Paste(*pixmap, 1, 1);
        pixmap = padded;
        glyph._x -= 1, glyph._y -= 1, glyph._w += 2, glyph._h += 2;
    }
    glyph._pixmap = pixmap;
}

}  // namespace vellum
