#include "graphics/font_module.h"

#include "font/freetype_font.h"
#include "stream/stream_module.h"

namespace vellum {

void InitFontModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitStreamModule();
    AddFontLoader(New<TFreeTypeFontLoader>());
}

}  // namespace vellum
