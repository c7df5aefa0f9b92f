#pragma once

#pragma GCC visibility push(default)
namespace vellum {

/// Starts the pixmap module once (and the stream module first): creates the
/// picture loaders BMP, JPEG, PNG and TGA, so the chain asks TGA, PNG, JPEG, BMP.
void InitPixmapModule();

}  // namespace vellum
#pragma GCC visibility pop
