#pragma once
// TrueType and other scalable or bitmap faces through FreeType, opened at one
// pixel size; glyphs are rendered on first use into A8 pixmaps and kept.

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/font.h"
#include "graphics/pixmap.h"
#include "runtime/load_limits.h"

namespace vellum {

class TFreeTypeGlyph : public TGlyph {
public:
    Ref<TObject> Pixels() override { return _pixmap; }
    float Advance() override { return _advance; }
    void GetRect(int& x, int& y, int& width, int& height) override;

    Ref<TPixmap> _pixmap;  // Null for a glyph without pixels
    float _advance = 0;
    int _x = 0;  // bitmap left from the pen
    int _y = 0;  // bitmap top below the line top (the ascender)
    int _w = 0;
    int _h = 0;
};

class TFreeTypeFont : public TFont {
public:
    // Largest pixel size a font may be asked for.
    static constexpr int MAX_SIZE = 4096;
    // Largest font file read into memory.
    static constexpr int MAX_FILE_BYTES = MAX_FONT_FILE_BYTES;

    TFreeTypeFont();
    ~TFreeTypeFont() override;

    // Opens path at the largest pixel size from size down to 1 that the face
    // accepts. A path with "::" after its first character is a stream url,
    // read whole into memory. Null on any failure.
    static Ref<TFreeTypeFont> Load(const String& path, int size, int style);
    // Opens a font file held in memory; the font keeps the bytes.
    static Ref<TFreeTypeFont> LoadMemory(std::vector<uint8_t> bytes, int size, int style);

    int Style() override { return _style; }
    int Height() override { return _height; }
    int CountGlyphs() override { return static_cast<int>(_glyphs.size()); }
    // The face's glyph for the character, less one; -1 when it has none.
    int CharToGlyph(int character) override;
    // Renders glyph index (the face's glyph index + 1) once; a glyph that
    // cannot be rendered stays empty. Raises a runtime error outside 0..CountGlyphs() - 1.
    Ref<TGlyph> LoadGlyph(int index) override;

    int _style = 0;
    int _height = 0;   // line height in pixels
    int _ascend = 0;   // ascender in pixels
    int _descend = 0;  // descender in pixels, negative below the baseline
    std::vector<Ref<TFreeTypeGlyph>> _glyphs;

private:
    struct Face;
    static Ref<TFreeTypeFont> Open(std::unique_ptr<Face> face, int size, int style);
    void Render(TFreeTypeGlyph& glyph, int index);

    std::unique_ptr<Face> _face;
};

class TFreeTypeFontLoader : public TFontLoader {
public:
    // A string source is a path or stream url; a stream or bank is read
    // whole into memory. Anything else, and the empty string, gives Null.
    Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style) override;
};

}  // namespace vellum
