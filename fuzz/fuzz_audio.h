#pragma once
// Shared body of the sound-file fuzz targets: LoadAudioSample over the
// input bytes through a RAM stream, the way the game loads its sounds.
// Crashes, undefined behaviour, leaks, samples whose size does not match
// their length and runaway allocations are findings.

#include <climits>
#include <cstddef>
#include <cstdint>

#include "audio/audio_all.h"
#include "runtime/exception.h"
#include "stream/ram_stream.h"

namespace vellum::fuzz {

inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

inline int FuzzSampleLoad(const uint8_t* data, size_t size) {
    static bool started = (InitAudioModule(), true);
    (void)started;
    if (size > INT_MAX) return 0;
    auto stream = CreateRamStream(const_cast<uint8_t*>(data), static_cast<int>(size), 1, 0);
    Ref<TAudioSample> sample = LoadAudioSample(Ref<TObject>(stream));
    if (!sample) return 0;
    Check(sample->format >= SF_MONO8 && sample->format <= SF_STEREO16BE);
    Check(sample->length >= 0 && sample->hertz > 0);
    Check(sample->capacity == sample->length * SampleBytesPerFrame(sample->format));
    // Every byte is readable, and converts to every other layout.
    if (sample->length <= 1 << 16) {
        for (int format = SF_MONO8; format <= SF_STEREO16BE; ++format) sample->Convert(format);
    }
    return 0;
}

}  // namespace vellum::fuzz
