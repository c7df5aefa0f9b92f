// Fuzzes WAV loading on arbitrary bytes (seeds: fuzz/seeds/wav).

#include "fuzz_audio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return vellum::fuzz::FuzzSampleLoad(data, size);
}
