#pragma once

#pragma GCC visibility push(default)
namespace vellum {

/// Starts the font module once (and the stream module first): adds the
/// FreeType loader to the font loader chain.
void InitFontModule();

}  // namespace vellum
#pragma GCC visibility pop
