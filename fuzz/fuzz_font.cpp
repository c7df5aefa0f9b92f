// Fuzzes font loading from memory: the bytes are opened through a stream
// url at two pixel sizes, one of them smooth, and a few glyphs are rendered,
// chosen by character and by index. Null fonts and empty glyphs are fine;
// crashes, undefined behaviour, leaks and inconsistent glyphs are findings.

#include <climits>
#include <cstddef>
#include <cstdint>

#include "graphics/pictures_all.h"
#include "stream/incbin.h"

using namespace vellum;

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void RenderGlyph(TFont& font, int index) {
    if (index < 0 || index >= font.CountGlyphs()) return;
    auto glyph = font.LoadGlyph(index);
    Check(glyph != nullptr && font.LoadGlyph(index) == glyph);
    int x, y, w, h;
    glyph->GetRect(x, y, w, h);
    if (auto pixmap = Cast<TPixmap>(glyph->Pixels())) {
        Check(pixmap->format == FMT_A8 && pixmap->width == w && pixmap->height == h);
        pixmap->ReadPixel(w - 1, h - 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = (InitFontModule(), true);
    (void)started;
    if (size > INT_MAX) return 0;
    RegisterIncbin(u"fuzz/font", data, static_cast<int>(size));
    const int sizes[2][2] = {{9, 0}, {40, FONT_SMOOTH}};
    for (const auto& [pixels, style] : sizes) {
        auto font = LoadFont(u"incbin::fuzz/font", pixels, style);
        if (!font) continue;
        // "A", "g", space, "@", e acute and a CJK ideograph.
        for (int c : {0x41, 0x67, 0x20, 0x40, 0xE9, 0x4E00}) RenderGlyph(*font, font->CharToGlyph(c));
        for (int i = 0; i < 4; i++) RenderGlyph(*font, i);
        if (size >= 2) RenderGlyph(*font, (data[0] | data[1] << 8) % (font->CountGlyphs() + 1));
    }
    return 0;
}
