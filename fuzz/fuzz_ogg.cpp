// Fuzzes Ogg Vorbis loading (seeds: fuzz/seeds/ogg), with page checksums
// recomputed so mutations reach the decoder.

#include "fuzz_audio.h"
#include "ogg_checksums.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    vellum::fuzz::FixPageChecksums(bytes);
    return vellum::fuzz::FuzzSampleLoad(bytes.data(), bytes.size());
}
