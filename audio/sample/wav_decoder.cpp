// The PCM WAV decoder: the header is read once, then the data chunk is
// handed out as it stands.

#include <algorithm>
#include <string>

#include "audio/audio_sample.h"
#include "sample/audio_decoder.h"
#include "stream/xendian_stream.h"

namespace vellum {

namespace {

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

int FormatOf(int bits, int channels) {
    if (bits == 8 && channels == 1) return SF_MONO8;
    if (bits == 8 && channels == 2) return SF_STEREO8;
    if (bits == 16 && channels == 1) return SF_MONO16LE;
    if (bits == 16 && channels == 2) return SF_STEREO16LE;
    return 0;
}

class TWavDecoder : public TAudioDecoder {
public:
    TWavDecoder(Ref<TStream> in, int format, int hertz, int length)
        : _in(std::move(in)), _data(_in->Pos()), _bpf(SampleBytesPerFrame(format)) {
        _format = format;
        _hertz = hertz;
        _length = length;
    }

    // A data chunk shorter than it says gives the whole frames that are
    // there, then -1.
    int Read(unsigned char* out, int frames) override {
        if (_short) return -1;
        int n = static_cast<int>(std::min<long long>(frames, _length - _done));
        if (n <= 0) return 0;
        int want = n * _bpf, got = 0;
        while (got < want) {
            int read = _in->Read(out + got, want - got);
            if (read <= 0) break;
            got += read;
        }
        int whole = got / _bpf;
        _done += whole;
        if (whole == n) return n;
        _short = true;
        return whole > 0 ? whole : -1;
    }

    bool Rewind() override {
        _done = 0;
        _short = false;
        return _in->Seek(_data) == _data;
    }

private:
    Ref<TStream> _in;
    int _data;  // where the frames begin
    int _bpf;
    long long _done = 0;
    bool _short = false;  // the data ended early
};

}  // namespace

std::unique_ptr<TAudioDecoder> OpenWavDecoder(const Ref<TStream>& stream) {
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

    while (!in.Eof()) {
        std::string tag = ReadTag(in);
        int size = in.ReadInt();
        if (size < 0) return nullptr;  // over 2 GB: no stream of ours is that long
        if (tag != "data") {
            SkipChunk(in, size);
            continue;
        }
        return std::make_unique<TWavDecoder>(le, format, hertz, size / SampleBytesPerFrame(format));
    }
    return nullptr;
}

}  // namespace vellum
