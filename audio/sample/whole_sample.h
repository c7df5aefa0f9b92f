#pragma once
// Reading a decoder's frames whole into a sample, as the loaders do.

#include "audio/audio_sample.h"
#include "sample/audio_decoder.h"

namespace vellum {

// One pass of decoder as a sample; Null when the data turns out damaged
// or the frames would not fit a sample. The frames are gathered in pieces,
// so a length claimed by damaged headers is never allocated up front.
Ref<TAudioSample> ReadWholeSample(TAudioDecoder& decoder);

}  // namespace vellum
