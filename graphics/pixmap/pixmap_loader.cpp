#include "graphics/pixmap_loader.h"

#include "runtime/exception.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

Ref<TPixmapLoader>& Head() {
    static Ref<TPixmapLoader> head;
    return head;
}

// Closes the stream on every way out of LoadPixmap.
struct StreamCloser {
    TStream& stream;
    ~StreamCloser() {
        try {
            stream.Close();
        } catch (...) {
            // Nothing useful can be done about a failing close of a read stream.
        }
    }
};

}  // namespace

void RegisterPixmapLoader(Ref<TPixmapLoader> loader) {
    if (!loader) return;
    for (auto l = Head(); l; l = l->_succ)
        if (l == loader) return;
    loader->_succ = Head();
    Head() = std::move(loader);
}

Ref<TPixmapLoader> FirstPixmapLoader() { return Head(); }

bool PictureSizeAllowed(long long width, long long height, int bytesPerPixel) {
    return width >= 1 && height >= 1 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height * bytesPerPixel <= MAX_PICTURE_BYTES;
}

Ref<TPixmap> LoadPixmap(const Ref<TObject>& url) {
    Ref<TStream> stream = OpenReadStream(url);
    if (!stream) return nullptr;
    StreamCloser closer{*stream};
    int start = stream->Pos();
    if (start < 0) return nullptr;
    for (auto loader = Head(); loader; loader = loader->_succ) {
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
