#pragma once
// Image fonts: a font's glyphs turned into small images the first time each
// is drawn, and the text operations that draw with the current font.

#include <vector>

#include "graphics/font.h"
#include "graphics/image.h"

#pragma GCC visibility push(default)
namespace vellum {

class TImageGlyph : public TGlyph {
public:
    Ref<TImage> _image;  // Null for blank glyphs
    float _advance = 0.0f;
    int _x = 0, _y = 0, _w = 0, _h = 0;

    Ref<TObject> Pixels() override { return _image; }
    float Advance() override { return _advance; }
    void GetRect(int& x, int& y, int& width, int& height) override;
};

class TImageFont : public TFont {
public:
    Ref<TFont> _src_font;  // Null for the built-in font
    std::vector<Ref<TImageGlyph>> _glyphs;
    int _imageFlags = 0;

    int Style() override;
    int Height() override;
    int CountGlyphs() override;
    int CharToGlyph(int character) override;
    Ref<TGlyph> LoadGlyph(int index) override;
    // The image glyph of index, made on first use; Null for an index outside the font.
    Ref<TImageGlyph> ImageGlyph(int index);
    // Draws text from (x, y), the pen moving along the transformed x axis.
    void Draw(const String& text, float x, float y, float ix, float iy, float jx, float jy);

    // An image font of a loaded font; Null when no loader can open source.
    static Ref<TImageFont> Load(const Ref<TObject>& source, int size, int style);
    // The built-in 8 x 16 font of characters 32 to 127.
    static Ref<TImageFont> CreateDefault();
};

Ref<TImageFont> LoadImageFont(const Ref<TObject>& source, int size, int style = 0);
Ref<TImageFont> LoadImageFont(const String& source, int size, int style = 0);
// Selects the current context's font; Null selects the built-in font.
void SetImageFont(const Ref<TImageFont>& font);
// The current font, never Null while a context is current.
Ref<TImageFont> GetImageFont();
// Draws text with the current font; the context's handle is applied.
void DrawText(const String& text, float x, float y);
// The width of text in the current font, truncated to whole pixels after every glyph.
int TextWidth(const String& text);
// The line height of the current font.
int TextHeight(const String& text);

}  // namespace vellum
#pragma GCC visibility pop
