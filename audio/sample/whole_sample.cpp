#include "sample/whole_sample.h"

#include <climits>
#include <cstring>
#include <vector>

namespace vellum {

namespace {

constexpr int kPieceFrames = 1 << 14;

}  // namespace

Ref<TAudioSample> ReadWholeSample(TAudioDecoder& decoder) {
    const int bpf = SampleBytesPerFrame(decoder.Format());
    std::vector<unsigned char> data;
    while (true) {
        size_t have = data.size();
        if (have / static_cast<size_t>(bpf) + kPieceFrames > static_cast<size_t>(INT_MAX / bpf)) return nullptr;
        data.resize(have + static_cast<size_t>(kPieceFrames) * static_cast<size_t>(bpf));
        int n = decoder.Read(data.data() + have, kPieceFrames);
        if (n < 0) return nullptr;
        data.resize(have + static_cast<size_t>(n) * static_cast<size_t>(bpf));
        if (n == 0) break;
    }
    auto sample = TAudioSample::Create(static_cast<int>(data.size() / static_cast<size_t>(bpf)), decoder.Hertz(),
                                       decoder.Format());
    if (!data.empty()) std::memcpy(sample->samples, data.data(), data.size());
    return sample;
}

}  // namespace vellum
