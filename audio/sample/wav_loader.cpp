#include "audio/wav_loader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/exception.h"
#include "stream/xendian_stream.h"

namespace vellum {

namespace {

// Data is read in pieces of this size, so a data size from a damaged
// header fails on the short read instead of allocating it all up front.
constexpr int kPiece = 1 << 20;

// Four bytes as text; whatever was read when the stream ends first.
std::string ReadTag(TStream& in) {
    char tag[4];
    int got = 0;
    while (got < 4) {
        int n = in.Read(tag + got, 4 - got);
        if (n <= 0) break;
        got += n;
    }
    return got == 4 ? std::string(tag, 4) : std::string();
}

// Skips a chunk body and the pad byte that follows an odd-sized one.
void SkipChunk(TStream& in, int size) {
    if (size <= 0) return;
    in.SkipBytes(size);
    if (size & 1) in.SkipBytes(1);
}

std::vector<unsigned char> ReadData(TStream& in, int count) {
    std::vector<unsigned char> data;
    while (static_cast<int>(data.size()) < count) {
        int done = static_cast<int>(data.size());
        int piece = std::min(count - done, kPiece);
        data.resize(static_cast<size_t>(done) + static_cast<size_t>(piece));
        in.ReadBytes(data.data() + done, piece);
    }
    return data;
}

int FormatOf(int bits, int channels) {
    if (bits == 8 && channels == 1) return SF_MONO8;
    if (bits == 8 && channels == 2) return SF_STEREO8;
    if (bits == 16 && channels == 1) return SF_MONO16LE;
    if (bits == 16 && channels == 2) return SF_STEREO16LE;
    return 0;
}

}  // namespace

Ref<TAudioSampleLoaderWAV> TAudioSampleLoaderWAV::Create() {
    auto loader = New<TAudioSampleLoaderWAV>();
    RegisterAudioSampleLoader(loader);
    return loader;
}

Ref<TAudioSample> TAudioSampleLoaderWAV::LoadAudioSample(const Ref<TStream>& stream) {
    Ref<TStream> le = LittleEndianStream(stream);
    TStream& in = *le;
    if (ReadTag(in) != "RIFF") return nullptr;
    in.ReadInt();
    if (ReadTag(in) != "WAVE" || ReadTag(in) != "fmt ") return nullptr;

    int chunkSize = in.ReadInt();
    if (in.ReadShort() != 1) return nullptr;  // PCM only
    int channels = in.ReadShort();
    int hertz = in.ReadInt();
    in.ReadInt();    // byte rate
    in.ReadShort();  // block alignment
    int bits = in.ReadShort();
    int format = FormatOf(bits, channels);
    if (format == 0 || hertz <= 0) return nullptr;
    // The rest of a longer fmt chunk (its parity is the chunk's, so the pad matches).
    if (chunkSize > 16) SkipChunk(in, chunkSize - 16);

    int bpf = SampleBytesPerFrame(format);
    while (!in.Eof()) {
        std::string tag = ReadTag(in);
        int size = in.ReadInt();
        if (size < 0) return nullptr;  // over 2 GB: no stream of ours is that long
        if (tag != "data") {
            SkipChunk(in, size);
            continue;
        }
        int length = size / bpf;
        std::vector<unsigned char> data = ReadData(in, length * bpf);
        auto sample = TAudioSample::Create(length, hertz, format);
        if (!data.empty()) std::memcpy(sample->samples, data.data(), data.size());
        return sample;
    }
    return nullptr;
}

}  // namespace vellum
