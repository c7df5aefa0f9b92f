#pragma once
// Finding where the first logical bitstream of an Ogg file ends, so that
// the decoder is only ever shown that one.

#include "stream/stream.h"

namespace vellum {

// The offset of the first page, after the opening group of stream-start
// pages, whose serial number is not one of that group's: the start of a
// chained bitstream, or of damage. A stream-start page of a serial number
// already seen is damage too (the decoder loses memory over one). The
// stream's end when there is none.
// Reads from the current position, which it leaves wherever it stopped.
int OggFirstLinkEnd(TStream& stream);

}  // namespace vellum
