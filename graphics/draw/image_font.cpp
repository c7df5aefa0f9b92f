#include "graphics/image_font.h"

#include "draw/default_font_data.h"
#include "draw/drawing_state.h"
#include "graphics/pixmap_functions.h"

namespace vellum {

void TImageGlyph::GetRect(int& x, int& y, int& width, int& height) {
    x = _x, y = _y, width = _w, height = _h;
}

int TImageFont::Style() { return _src_font ? _src_font->Style() : 0; }

int TImageFont::Height() { return _src_font ? _src_font->Height() : 16; }

int TImageFont::CountGlyphs() { return static_cast<int>(_glyphs.size()); }

int TImageFont::CharToGlyph(int character) {
    if (_src_font) return _src_font->CharToGlyph(character);
    return character >= 32 && character <= 127 ? character - 32 : -1;
}

Ref<TGlyph> TImageFont::LoadGlyph(int index) { return ImageGlyph(index); }

Ref<TImageGlyph> TImageFont::ImageGlyph(int index) {
    if (index < 0 || index >= CountGlyphs()) return nullptr;
    if (_glyphs[index]) return _glyphs[index];
    auto glyph = New<TImageGlyph>();
    _glyphs[index] = glyph;
    if (!_src_font) return glyph;
    Ref<TGlyph> source = _src_font->LoadGlyph(index);
    if (!source) return glyph;
    glyph->_advance = source->Advance();
    source->GetRect(glyph->_x, glyph->_y, glyph->_w, glyph->_h);
    if (auto pixmap = Cast<TPixmap>(source->Pixels())) glyph->_image = TImage::Load(pixmap->Copy(), _imageFlags, 0, 0, 0);
    return glyph;
}

void TImageFont::Draw(const String& text, float x, float y, float ix, float iy, float jx, float jy) {
    for (char16_t c : text) {
        auto glyph = ImageGlyph(CharToGlyph(c));
        if (!glyph) continue;
        if (glyph->_image) {
            if (const auto& frame = glyph->_image->Frame(0)) {
                float gw = static_cast<float>(glyph->_image->width), gh = static_cast<float>(glyph->_image->height);
                frame->Draw(0, 0, gw, gh, x + glyph->_x * ix + glyph->_y * iy, y + glyph->_x * jx + glyph->_y * jy, 0,
                            0, gw, gh);
            }
        }
        x += glyph->_advance * ix;
        y += glyph->_advance * jx;
    }
}

Ref<TImageFont> TImageFont::Load(const Ref<TObject>& source, int size, int style) {
    Ref<TFont> font = LoadFont(source, size, style);
    if (!font) return nullptr;
    auto imageFont = New<TImageFont>();
    imageFont->_src_font = font;
    imageFont->_glyphs.resize(font->CountGlyphs() > 0 ? font->CountGlyphs() : 0);
    imageFont->_imageFlags = style & FONT_SMOOTH ? IMAGE_FILTERED | IMAGE_MIPMAPPED : 0;
    return imageFont;
}

Ref<TImageFont> TImageFont::CreateDefault() {
    // Unpack the 1-bit rows into one 768 x 16 strip of white pixels.
    auto strip = CreatePixmap(96 * 8, 16, FMT_RGBA8888, 4);
    for (int row = 0; row < 16; ++row) {
        for (int j = 0; j < 96; ++j) {
            uint8_t bits = kDefaultFontBitmap[row * 96 + j];
            auto* pixel = reinterpret_cast<uint32_t*>(strip->PixelPtr(j * 8, row));
            for (int k = 0; k < 8; ++k) pixel[k] = (bits >> k) & 1 ? 0xFFFFFFFFu : 0u;
        }
    }
    auto font = New<TImageFont>();
    font->_glyphs.resize(96);
    for (int i = 0; i < 96; ++i) {
        auto glyph = New<TImageGlyph>();
        glyph->_advance = 8.0f;
        glyph->_w = 8;
        glyph->_h = 16;
        glyph->_image = TImage::Load(strip->Window(i * 8, 0, 8, 16)->Copy(), 0, 0, 0, 0);
        font->_glyphs[i] = glyph;
    }
    return font;
}

Ref<TImageFont> LoadImageFont(const Ref<TObject>& source, int size, int style) {
    return TImageFont::Load(source, size, style);
}

Ref<TImageFont> LoadImageFont(const String& source, int size, int style) {
    return LoadImageFont(BoxString(source), size, style);
}

void SetImageFont(const Ref<TImageFont>& font) {
    auto& state = Drawing();
    if (!state.context) return;
    state.context->image_font = font ? font : state.defaultFont;
}

Ref<TImageFont> GetImageFont() {
    auto& state = Drawing();
    return state.context ? state.context->image_font : state.defaultFont;
}

void DrawText(const String& text, float x, float y) {
    auto* c = Drawing().context.get();
    if (!c || !c->image_font) return;
    float tx = x + c->origin_x + c->handle_x * c->tform_ix + c->handle_y * c->tform_iy;
    float ty = y + c->origin_y + c->handle_x * c->tform_jx + c->handle_y * c->tform_jy;
    c->image_font->Draw(text, tx, ty, c->tform_ix, c->tform_iy, c->tform_jx, c->tform_jy);
}

int TextWidth(const String& text) {
    auto font = GetImageFont();
    if (!font) return 0;
    int width = 0;
    for (char16_t c : text) {
        auto glyph = font->ImageGlyph(font->CharToGlyph(c));
        if (glyph) width = static_cast<int>(width + glyph->_advance);
    }
    return width;
}

int TextHeight(const String&) {
    auto font = GetImageFont();
    return font ? font->Height() : 0;
}

}  // namespace vellum
