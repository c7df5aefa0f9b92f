#pragma once
// The mixer's copy of a sound: 16-bit frames, mono or stereo, shared by the
// program's sound handle and every voice playing it. The last holder to
// let go frees it, whichever thread that is.

#include <cstdint>
#include <memory>
#include <vector>

namespace vellum {

class TAudioStream;

struct TMixerSoundData {
    std::vector<std::int16_t> samples;  // length * channels values, interleaved
    int length = 0;                     // frames
    int channels = 1;                   // 1 or 2
    int hertz = 0;
    bool loop = false;
    std::shared_ptr<TAudioStream> stream;  // a streamed sound: no samples, each voice decodes its own
};

using TMixerSoundRef = std::shared_ptr<const TMixerSoundData>;

// A sound of length frames copied from samples: bits 8 (unsigned, 128 =
// silence) or 16 (signed little-endian), 1 or 2 channels, hertz above 0.
// Null when a parameter is out of range.
TMixerSoundRef NewMixerSoundData(int length, int bits, int channels, int hertz, const void* samples, bool loop);
// A streamed sound of stream's layout.
TMixerSoundRef NewMixerStreamData(std::shared_ptr<TAudioStream> stream);

}  // namespace vellum
