#include "audio/ogg_loader.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "sample/ogg_first_link.h"

namespace vellum {

namespace {

// A stream that ends before the length its headers give leaves silence for
// the rest, but never more than this many frames of it: a larger claim is
// not believed and the sample ends with the last decoded frame.
constexpr long long kMaxSilenceFrames = 1 << 20;
// Decoded bytes are gathered in pieces of this size.
constexpr int kPiece = 1 << 16;

// The decoder's view of a TStream, ending where the first logical
// bitstream ends: the decoder never meets a chained one, whose damaged
// headers can make it lose memory. An exception raised by the stream is
// kept here and raised again once the decoder has returned, since it must
// not pass through C code.
struct OggInput {
    TStream* stream;
    int end;
    std::exception_ptr error;
};

size_t ReadCallback(void* buffer, size_t size, size_t count, void* source) {
    auto* input = static_cast<OggInput*>(source);
    if (size == 0 || input->error) return 0;
    try {
        int left = std::max(0, input->end - input->stream->Pos());
        size_t want = std::min(size * count, static_cast<size_t>(left));
        int got = want ? input->stream->Read(buffer, static_cast<int>(want)) : 0;
        return got > 0 ? static_cast<size_t>(got) / size : 0;
    } catch (...) {
        input->error = std::current_exception();
        return 0;
    }
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto* input = static_cast<OggInput*>(source);
    if (input->error) return -1;
    try {
        TStream& stream = *input->stream;
        int low = static_cast<int>(static_cast<std::uint32_t>(offset));  // streams address 32 bits
        long long target = low;
        if (whence == SEEK_CUR) target += stream.Pos();
        if (whence == SEEK_END) target += input->end;
        if (target < 0 || target > input->end) return -1;
        return stream.Seek(static_cast<int>(target)) < 0 ? -1 : 0;
    } catch (...) {
        input->error = std::current_exception();
        return -1;
    }
}

int CloseCallback(void*) { return 0; }  // LoadAudioSample closes the stream

long TellCallback(void* source) {
    auto* input = static_cast<OggInput*>(source);
    try {
        return input->stream->Pos();
    } catch (...) {
        input->error = std::current_exception();
        return -1;
    }
}

// Owns an open decoder and clears it however decoding ends.
class VorbisFile {
public:
    explicit VorbisFile(OggInput& input) {
        ov_callbacks callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
        _open = ov_open_callbacks(&input, &_file, nullptr, 0, callbacks) == 0;
    }
    ~VorbisFile() {
        if (_open) ov_clear(&_file);
    }
    VorbisFile(const VorbisFile&) = delete;
    VorbisFile& operator=(const VorbisFile&) = delete;

    bool IsOpen() const { return _open; }
    OggVorbis_File* operator->() { return &_file; }
    OggVorbis_File* get() { return &_file; }

private:
    OggVorbis_File _file{};
    bool _open = false;
};

// Decodes up to want bytes of the first logical bitstream. Stops early at
// the end of the stream or where the next chained bitstream begins; false
// when the decoder reports an error.
bool Decode(VorbisFile& file, long long want, std::vector<char>& pcm) {
    long long have = 0;
    while (have < want) {
        int piece = static_cast<int>(std::min<long long>(want - have, kPiece));
        pcm.resize(static_cast<size_t>(have + piece));
        int link = 0;
        long n = ov_read(file.get(), pcm.data() + have, piece, 0, 2, 1, &link);
        if (n < 0) return false;
        if (n == 0 || link != 0) break;
        have += n;
    }
    pcm.resize(static_cast<size_t>(have));
    return true;
}

Ref<TAudioSample> Load(OggInput& input) {
    VorbisFile file(input);
    if (!file.IsOpen()) return nullptr;

    ogg_int64_t total = ov_pcm_total(file.get(), 0);
    vorbis_info* info = ov_info(file.get(), -1);
    if (total < 0 || !info || info->rate < 1 || info->rate > INT_MAX) return nullptr;
    // The sample formats hold one or two channels; more would not fit.
    if (info->channels != 1 && info->channels != 2) return nullptr;
    int format = info->channels == 1 ? SF_MONO16LE : SF_STEREO16LE;
    int bpf = SampleBytesPerFrame(format);
    if (total > INT_MAX / bpf) return nullptr;

    std::vector<char> pcm;
    if (!Decode(file, total * bpf, pcm)) return nullptr;
    long long decoded = static_cast<long long>(pcm.size()) / bpf;
    long long length = total - decoded <= kMaxSilenceFrames ? total : decoded;

    auto sample = TAudioSample::Create(static_cast<int>(length), static_cast<int>(info->rate), format);
    if (!pcm.empty()) std::memcpy(sample->samples, pcm.data(), pcm.size());
    std::memset(sample->samples + pcm.size(), 0, static_cast<size_t>(sample->capacity) - pcm.size());
    return sample;
}

}  // namespace

Ref<TAudioSampleLoaderOGG> TAudioSampleLoaderOGG::Create() {
    auto loader = New<TAudioSampleLoaderOGG>();
    RegisterAudioSampleLoader(loader);
    return loader;
}

Ref<TAudioSample> TAudioSampleLoaderOGG::LoadAudioSample(const Ref<TStream>& stream) {
    int start = stream->Pos();
    int end = OggFirstLinkEnd(*stream);
    stream->Seek(start);
    OggInput input{stream.get(), end, nullptr};
    Ref<TAudioSample> sample = Load(input);
    if (input.error) std::rethrow_exception(input.error);
    return sample;
}

}  // namespace vellum
