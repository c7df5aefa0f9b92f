#pragma once
// The engine's FreeType library and the memory it allocates through. Each
// call the fonts make into FreeType runs under an allowance sized by what
// the call honestly needs (the font file, a glyph's pixels, a decoder's
// working memory), so a damaged font ends in FreeType's own out-of-memory
// error instead of costing what its tables claim.

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vellum {

// The library every font opens in, made at the first call with FreeType's
// default modules; Null when FreeType cannot start (the next call tries
// again).
FT_Library FreeTypeLibrary();

// While one lives, FreeType may add at most bytes to what it holds. Without
// one, a single request beyond the decoders' working memory is refused.
class TFreeTypeAllowance {
public:
    explicit TFreeTypeAllowance(long long bytes);
    ~TFreeTypeAllowance();
    TFreeTypeAllowance(const TFreeTypeAllowance&) = delete;
    TFreeTypeAllowance& operator=(const TFreeTypeAllowance&) = delete;

private:
    long long _outer;
};

// What FreeType holds now, in bytes.
long long FreeTypeBytesHeld();

}  // namespace vellum
