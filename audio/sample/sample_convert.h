#pragma once
// Conversion of PCM frames between the sample formats.

#include "audio/audio_sample.h"

namespace vellum {

// sample itself, or for a big-endian one a little-endian copy: the byte
// order every output plays.
Ref<TAudioSample> LittleEndianSample(const Ref<TAudioSample>& sample);

// Converts count frames from source (in sourceFormat) to dest (in
// destFormat). Every conversion behaves as if it went through the stereo
// 16-bit big-endian layout: 8-bit byte b becomes 257 * b - 32768, stereo
// becomes mono as (L + R) / 2 truncated toward zero, and 16-bit values
// become bytes as (v + 32768) / 257. A format code outside 1..6 raises
// "Unimplemented sample format conversion".
void ConvertSampleFrames(const unsigned char* source, int sourceFormat, unsigned char* dest, int destFormat,
                         int count);

}  // namespace vellum
