// Fuzzes the decoders that streamed sounds play from (seeds: fuzz/seeds/wav
// and fuzz/seeds/ogg, Ogg page checksums recomputed). A pass is read in
// pieces of varying size; after a rewind the next pass must begin with the
// same frames, since a looping stream runs on from its last frame into its
// first. Crashes, leaks, counts out of range and a pass longer than the
// length the headers claimed are findings.

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "fuzz_audio.h"
#include "ogg_checksums.h"
#include "sample/audio_decoder.h"

namespace {

using vellum::fuzz::Check;

// Frames read in one pass, at most limit of them; -1 once damage shows.
long long ReadPass(vellum::TAudioDecoder& decoder, int bpf, std::vector<unsigned char>& kept, size_t keep,
                   long long limit) {
    std::vector<unsigned char> piece(static_cast<size_t>(4096) * static_cast<size_t>(bpf));
    long long frames = 0;
    for (int round = 0; frames < limit; ++round) {
        int want = 1 + (round * 977) % 4096;  // pieces of many sizes
        int n = decoder.Read(piece.data(), want);
        Check(n >= -1 && n <= want);
        if (n <= 0) return n < 0 ? -1 : frames;
        size_t have = kept.size();
        size_t add = std::min(keep - have, static_cast<size_t>(n) * static_cast<size_t>(bpf));
        kept.insert(kept.end(), piece.begin(), piece.begin() + static_cast<long>(add));
        frames += n;
    }
    return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = (vellum::InitAudioModule(), true);
    (void)started;
    if (size > INT_MAX) return 0;
    std::vector<uint8_t> bytes(data, data + size);
    vellum::fuzz::FixPageChecksums(bytes);
    auto stream = vellum::CreateRamStream(bytes.data(), static_cast<int>(bytes.size()), 1, 0);
    std::unique_ptr<vellum::TAudioDecoder> decoder;
    try {
        decoder = vellum::OpenAudioDecoder(stream);
        if (!decoder) return 0;
        int bpf = vellum::SampleBytesPerFrame(decoder->Format());
        Check(bpf > 0 && decoder->Hertz() > 0 && decoder->Length() >= 0);
        const long long limit = 1 << 21;
        const size_t keep = 1 << 14;
        std::vector<unsigned char> first, second;
        long long pass = ReadPass(*decoder, bpf, first, keep, limit);
        // Ogg pads a short stream with silence up to its length, no further.
        if (pass >= 0 && pass < limit) Check(pass <= decoder->Length());
        if (pass <= 0 || !decoder->Rewind()) return 0;
        long long again = ReadPass(*decoder, bpf, second, keep, limit);
        size_t common = std::min(first.size(), second.size());
        if (again >= 0) Check(std::memcmp(first.data(), second.data(), common) == 0);
    } catch (const vellum::TStreamException&) {
        // A stream error raised inside the decoder: the sound ends.
    }
    return 0;
}
