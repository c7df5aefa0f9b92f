#include "graphics/pixmap_loader.h"

#include "graphics/pixmap_module.h"
#include "runtime/exception.h"
#include "runtime/loader_chain.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

TLoaderChain<TPixmapLoader>& Chain() { return ModuleChain<TPixmapLoader, InitPixmapModule>(); }

}  // namespace

void RegisterPixmapLoader(Ref<TPixmapLoader> loader) { Chain().Register(std::move(loader)); }

Ref<TPixmapLoader> FirstPixmapLoader() { return Chain().First(); }

bool PictureSizeAllowed(long long width, long long height, int bytesPerPixel) {
    return width >= 1 && height >= 1 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height * bytesPerPixel <= MAX_PICTURE_BYTES;
}

Ref<TPixmap> LoadPixmap(const Ref<TObject>& url) {
    Ref<TStream> stream = OpenReadStream(url);
    if (!stream) return nullptr;
    TReadStreamCloser closer(*stream);
    int start = stream->Pos();
    if (start < 0) return nullptr;
    for (auto loader = FirstPixmapLoader(); loader; loader = loader->_succ) {
        if (stream->Seek(start) != start) return nullptr;
        try {
            if (auto pixmap = loader->LoadPixmap(*stream)) return pixmap;
        } catch (const TStreamException&) {
            // A truncated or unreadable file: this loader's answer is Null.
        }
    }
    return nullptr;
}

Ref<TPixmap> LoadPixmap(const String& url) { return LoadPixmap(BoxString(url)); }

}  // namespace vellum
