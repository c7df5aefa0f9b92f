// The Ogg Vorbis decoder over libvorbisfile, limited to the first logical
// bitstream. Frames come as 16-bit little-endian, mono or stereo.

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>

#include "audio/audio_sample.h"
#include "sample/audio_decoder.h"
#include "sample/ogg_first_link.h"
#include "sample/vorbis_headers.h"

namespace vellum {

namespace {

// A stream that ends before the length its headers give leaves silence for
// the rest, but never more than this many frames of it: a larger claim is
// not believed and the sample ends with the last decoded frame.
constexpr long long kMaxSilenceFrames = 1 << 20;

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

int CloseCallback(void*) { return 0; }  // the stream is its opener's to close

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

class TOggDecoder : public TAudioDecoder {
public:
    TOggDecoder(Ref<TStream> stream, int start, int end)
        : _stream(std::move(stream)), _input{_stream.get(), end, nullptr}, _start(start) {}

    // Opens the decoder; false when the stream is no Vorbis one we can play.
    bool Open() {
        _file = std::make_unique<VorbisFile>(_input);
        Raise();
        if (!_file->IsOpen()) return false;
        ogg_int64_t total = ov_pcm_total(_file->get(), 0);
        vorbis_info* info = ov_info(_file->get(), -1);
        if (total < 0 || !info || info->rate < 1 || info->rate > INT_MAX) return false;
        // The sample formats hold one or two channels; more would not fit.
        if (info->channels != 1 && info->channels != 2) return false;
        _format = info->channels == 1 ? SF_MONO16LE : SF_STEREO16LE;
        _hertz = static_cast<int>(info->rate);
        _length = total;
        return total <= INT_MAX / SampleBytesPerFrame(_format);
    }

    // The frames decoded, then, when the data ran out early, silence up to
    // the length the headers give unless that is more than believable.
    int Read(unsigned char* out, int frames) override {
        if (!_file || !_file->IsOpen()) return -1;  // a rewind that failed
        const int bpf = SampleBytesPerFrame(_format);
        int done = 0;
        while (!_ended && done < frames && _decoded < _length) {
            int want = static_cast<int>(std::min<long long>(frames - done, _length - _decoded)) * bpf;
            int link = 0;
            long n = ov_read(_file->get(), reinterpret_cast<char*>(out) + done * bpf, want, 0, 2, 1, &link);
            Raise();
            if (n < 0) return -1;
            if (n == 0 || link != 0) {
                _ended = true;
                break;
            }
            done += static_cast<int>(n) / bpf;
            _decoded += n / bpf;
        }
        if (_decoded >= _length) _ended = true;
        if (_ended && done < frames) {
            long long silence = _length - _decoded <= kMaxSilenceFrames ? _length - _decoded - _padded : 0;
            int n = static_cast<int>(std::min<long long>(frames - done, silence));
            std::memset(out + done * bpf, 0, static_cast<size_t>(n) * static_cast<size_t>(bpf));
            done += n;
            _padded += n;
        }
        return done;
    }

    // The decoder starts afresh from the first page: seeking back inside it
    // does not always give the same frames again on a damaged file, and a
    // loop must.
    bool Rewind() override {
        _file.reset();
        _decoded = 0;
        _padded = 0;
        _ended = false;
        if (_stream->Seek(_start) != _start) return false;
        _file = std::make_unique<VorbisFile>(_input);
        Raise();
        return _file->IsOpen();
    }

private:
    // An error the stream raised inside the decoder, raised again here.
    void Raise() {
        if (_input.error) std::rethrow_exception(std::exchange(_input.error, nullptr));
    }

    Ref<TStream> _stream;
    OggInput _input;
    int _start;  // where the file begins in the stream
    std::unique_ptr<VorbisFile> _file;
    long long _decoded = 0;  // frames decoded in this pass
    long long _padded = 0;   // frames of silence given after them
    bool _ended = false;     // the decoder has nothing more in this pass
};

}  // namespace

std::unique_ptr<TAudioDecoder> OpenOggDecoder(const Ref<TStream>& stream) {
    int start = stream->Pos();
    int end = OggFirstLinkEnd(*stream);
    stream->Seek(start);
    bool affordable = VorbisHeadersAffordable(*stream, end);
    stream->Seek(start);
    if (!affordable) return nullptr;
    auto decoder = std::make_unique<TOggDecoder>(stream, start, end);
    if (!decoder->Open()) return nullptr;
    return decoder;
}

}  // namespace vellum
