#include "graphics/pixmap_module.h"

#include "pixmap/picture_loaders.h"
#include "stream/stream_module.h"

namespace vellum {

void InitPixmapModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitStreamModule();
    RegisterPixmapLoader(New<TBmpLoader>());
    RegisterPixmapLoader(New<TJpegLoader>());
    RegisterPixmapLoader(New<TPngLoader>());
    RegisterPixmapLoader(New<TTgaLoader>());
}

}  // namespace vellum
