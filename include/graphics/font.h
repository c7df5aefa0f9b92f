#pragma once
/// \file
/// Fonts: a font supplies glyph bitmaps and metrics; loaders that open fonts
/// form a chain through _succ, newest first.

#include "runtime/object.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Style bit asking for smooth glyphs: a transparent border around each glyph
/// bitmap, and filtered glyph images.
constexpr int FONT_SMOOTH = 4;

/// One glyph of a font: its bitmap and where it goes.
class TGlyph : public TObject {
public:
    /// The glyph bitmap (normally a TPixmap), or Null for a glyph without pixels.
    virtual Ref<TObject> Pixels() = 0;
    /// How far the pen moves after the glyph, in pixels.
    virtual float Advance() = 0;
    /// Where the bitmap goes: x from the pen, y below the line top, and its size.
    virtual void GetRect(int& x, int& y, int& width, int& height) = 0;
};

/// A font at one pixel size, with its glyphs.
class TFont : public TObject {
public:
    /// The style bits given at load.
    virtual int Style() = 0;
    /// Line height in pixels.
    virtual int Height() = 0;
    /// Number of glyph slots; glyph indices run from 0 to this - 1.
    virtual int CountGlyphs() = 0;
    /// The glyph index of a UTF-16 code unit, -1 when the font has none.
    virtual int CharToGlyph(int character) = 0;
    /// The glyph at index, made on first use and kept.
    virtual Ref<TGlyph> LoadGlyph(int index) = 0;
};

/// Opens one kind of font file; the loaders are asked newest first.
class TFontLoader : public TObject {
public:
    /// The font of source at a pixel size, or Null when this loader cannot open it.
    virtual Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style) = 0;

    /// The next older loader.
    Ref<TFontLoader> _succ;
};

/// Puts loader at the head of the chain, so it is asked first; a loader
/// already in the chain stays where it is.
void AddFontLoader(Ref<TFontLoader> loader);
/// The newest loader, Null when there is none.
Ref<TFontLoader> FirstFontLoader();

/// The first font any loader makes of source, or Null.
///@{
Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style);
Ref<TFont> LoadFont(const String& source, int size, int style);
///@}

}  // namespace vellum
#pragma GCC visibility pop
