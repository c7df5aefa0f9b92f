#pragma once
/// \file
/// Image fonts: a font's glyphs turned into small images the first time each
/// is drawn, and the text operations that draw with the current font.

#include <vector>

#include "graphics/font.h"
#include "graphics/image.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A glyph of an image font, its bitmap made into an image.
class TImageGlyph : public TGlyph {
public:
    Ref<TImage> _image;  ///< Null for blank glyphs
    float _advance = 0.0f;  ///< how far the pen moves after the glyph
    /// Where the image goes from the pen, and its size (TGlyph::GetRect).
    ///@{
    int _x = 0, _y = 0, _w = 0, _h = 0;
    ///@}

    Ref<TObject> Pixels() override { return _image; }
    float Advance() override { return _advance; }
    void GetRect(int& x, int& y, int& width, int& height) override;
};

/// A font whose glyphs are images, drawn like any image: the font of
/// DrawText.
class TImageFont : public TFont {
public:
    Ref<TFont> _src_font;  ///< Null for the built-in font
    std::vector<Ref<TImageGlyph>> _glyphs;  ///< by glyph index, Null until made
    int _imageFlags = 0;  ///< the IMAGE_ flags of the glyph images

    int Style() override;
    int Height() override;
    int CountGlyphs() override;
    int CharToGlyph(int character) override;
    Ref<TGlyph> LoadGlyph(int index) override;
    /// The image glyph of index, made on first use; Null for an index outside the font.
    Ref<TImageGlyph> ImageGlyph(int index);
    /// Draws text from (x, y), the pen moving along the transformed x axis.
    void Draw(const String& text, float x, float y, float ix, float iy, float jx, float jy);

    /// An image font of a loaded font; Null when no loader can open source.
    static Ref<TImageFont> Load(const Ref<TObject>& source, int size, int style);
    /// The built-in 8 x 16 font of characters 32 to 127.
    static Ref<TImageFont> CreateDefault();
};

/// An image font of the font file, stream or url source at size pixels, with
/// the style bits (FONT_SMOOTH); Null when no loader can open source.
///@{
Ref<TImageFont> LoadImageFont(const Ref<TObject>& source, int size, int style = 0);
Ref<TImageFont> LoadImageFont(const String& source, int size, int style = 0);
///@}
/// Selects the current context's font; Null selects the built-in font.
void SetImageFont(const Ref<TImageFont>& font);
/// The current font, never Null while a context is current.
Ref<TImageFont> GetImageFont();
/// Draws text with the current font; the context's handle is applied.
void DrawText(const String& text, float x, float y);
/// The width of text in the current font, truncated to whole pixels after every glyph.
int TextWidth(const String& text);
/// The line height of the current font.
int TextHeight(const String& text);

}  // namespace vellum
#pragma GCC visibility pop
