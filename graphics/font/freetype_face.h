#pragma once
// The FreeType face behind a TFreeTypeFont; only the font's own sources see it.

#include <ft2build.h>
#include FT_FREETYPE_H

#include "font/freetype_font.h"

namespace vellum {

struct TFreeTypeFont::Face {
    Face() = default;
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    // The face goes before the file bytes it reads from.
    ~Face() {
        if (face) FT_Done_Face(face);
    }

    FT_Face face = nullptr;
    std::vector<uint8_t> buffer;  // the font file, when opened from memory
    long long fileBytes = 0;      // the font file's length
};

}  // namespace vellum
