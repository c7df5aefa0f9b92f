#pragma once
/// \file
/// Saving pixmaps as PNG files, for screenshots and tools.

#include "graphics/pixmap.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Writes the pixmap to url as an 8-bit RGB PNG (RGBA when the pixmap's format
/// has alpha). 1 on success; 0 when the stream cannot be opened, or any write,
/// flush or close fails.
///@{
int SavePixmapPNG(const Ref<TPixmap>& pixmap, const Ref<TObject>& url);
int SavePixmapPNG(const Ref<TPixmap>& pixmap, const String& url);
///@}

}  // namespace vellum
#pragma GCC visibility pop
