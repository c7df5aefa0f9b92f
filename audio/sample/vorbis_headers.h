#pragma once
// libvorbis allocates with plain malloc and offers no limit of its own, so
// the Ogg decoder reads the stream's Vorbis headers first and works out
// what libvorbis would allocate for them before letting it open the file.

#include "stream/stream.h"

namespace vellum {

// True when the headers of the first Vorbis bitstream between the current
// position and end describe one or two channels, no codebook with more
// than MAX_VORBIS_BOOK_ENTRIES entries in use, and codebooks, floors and
// residues that libvorbis can unpack within the decoders' working memory.
// False for anything else, Vorbis or not. Leaves the position wherever it
// stopped.
bool VorbisHeadersAffordable(TStream& stream, int end);

}  // namespace vellum
