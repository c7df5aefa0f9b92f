#pragma once
// Whether a loader may make a picture before reading its pixels, judged by
// how much input is left to describe them.

#include "stream/stream.h"

namespace vellum {

// A picture within the decoders' working memory may always be made; a
// larger one only when the rest of stream is at least minInputBytes long,
// the least that could encode its pixels. A stream that cannot tell its
// length or position is believed.
bool InputCanHold(TStream& stream, long long pictureBytes, long long minInputBytes);

}  // namespace vellum
