#pragma once
/// \file
/// Picture loaders form a chain through _succ, newest first. LoadPixmap asks
/// each one in turn to decode a stream, seeking back to the start each time.

#include "graphics/pixmap.h"
#include "runtime/load_limits.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

class TStream;

/// Reads one kind of picture file (PNG, JPEG, BMP, TGA) into a pixmap; the
/// loaders are asked newest first.
class TPixmapLoader : public TObject {
public:
    /// The decoded picture, or Null when the data is not in this loader's
    /// format. Stream exceptions from a truncated file may escape.
    virtual Ref<TPixmap> LoadPixmap(TStream& stream) = 0;

    /// The next older loader.
    Ref<TPixmapLoader> _succ;
};

/// Links loader at the head of the chain, so it is asked first. A loader
/// already in the chain stays where it is.
void RegisterPixmapLoader(Ref<TPixmapLoader> loader);
/// The newest loader, Null when there is none.
Ref<TPixmapLoader> FirstPixmapLoader();

/// Opens url for reading and returns the first loader's picture, or Null when
/// the url cannot be opened, cannot report its position or no loader accepts it.
///@{
Ref<TPixmap> LoadPixmap(const Ref<TObject>& url);
Ref<TPixmap> LoadPixmap(const String& url);
///@}

// MAX_PICTURE_SIDE, MAX_PICTURE_BYTES and the decoders' limits are in
// runtime/load_limits.h.

/// True when a picture of this size and depth is within the loader limits.
bool PictureSizeAllowed(long long width, long long height, int bytesPerPixel);

}  // namespace vellum
#pragma GCC visibility pop
