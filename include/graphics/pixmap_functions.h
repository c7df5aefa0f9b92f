#pragma once
/// \file
/// Function forms of the pixmap operations, plus masking, flipping and
/// resizing. A Null pixmap raises a runtime error.

#include "graphics/pixmap.h"

#pragma GCC visibility push(default)
namespace vellum {

/// TPixmap::Create.
Ref<TPixmap> CreatePixmap(int width, int height, int format, int align);
/// TPixmap::CreateStatic.
Ref<TPixmap> CreateStaticPixmap(void* pixels, int width, int height, int pitch, int format);
/// A copy, rows aligned to 4 bytes.
Ref<TPixmap> CopyPixmap(const Ref<TPixmap>& pixmap);
/// A copy in another format.
Ref<TPixmap> ConvertPixmap(const Ref<TPixmap>& pixmap, int format);

/// The pixmap's fields.
///@{
int PixmapWidth(const Ref<TPixmap>& pixmap);
int PixmapHeight(const Ref<TPixmap>& pixmap);
int PixmapPitch(const Ref<TPixmap>& pixmap);
int PixmapFormat(const Ref<TPixmap>& pixmap);
///@}
/// Address of pixel (x, y).
uint8_t* PixmapPixelPtr(const Ref<TPixmap>& pixmap, int x, int y);
/// A pixmap sharing the memory of a rectangle inside pixmap.
Ref<TPixmap> PixmapWindow(const Ref<TPixmap>& pixmap, int x, int y, int width, int height);

/// The ARGB value of pixel (x, y).
int ReadPixel(const Ref<TPixmap>& pixmap, int x, int y);
/// Stores an ARGB value at pixel (x, y).
void WritePixel(const Ref<TPixmap>& pixmap, int x, int y, int argb);

/// A new RGBA8888 pixmap where pixels of the mask colour become transparent,
/// coloured with the average of their unmasked neighbours (black if none), and
/// every other pixel is opaque.
Ref<TPixmap> MaskPixmap(const Ref<TPixmap>& pixmap, int red, int green, int blue);
/// A mirrored copy (same format, rows aligned to 4 bytes): left-right / top-bottom.
///@{
Ref<TPixmap> XFlipPixmap(const Ref<TPixmap>& pixmap);
Ref<TPixmap> YFlipPixmap(const Ref<TPixmap>& pixmap);
///@}
/// A bilinear resample to width x height (both at least 1), pixel centres
/// aligned, in the pixmap's format.
Ref<TPixmap> ResizePixmap(const Ref<TPixmap>& pixmap, int width, int height);

/// The pixmap itself; raises a runtime error for Null.
TPixmap& CheckedPixmap(const Ref<TPixmap>& pixmap);

}  // namespace vellum
#pragma GCC visibility pop
