#include "sample/audio_decoder.h"

#include <algorithm>
#include <cstring>

#include "audio/sample_loader.h"
#include "runtime/exception.h"
#include "sample/format_loaders.h"

namespace vellum {

namespace {

// The frames of a sample that a program's own loader made whole, handed
// out as a decoder would, so that it streams like the engine's formats.
class TSampleDecoder : public TAudioDecoder {
public:
    explicit TSampleDecoder(Ref<TAudioSample> sample) : _sample(std::move(sample)) {
        _format = _sample->format;
        _hertz = _sample->hertz;
        _length = _sample->length;
    }

    int Read(unsigned char* out, int frames) override {
        int n = std::clamp(_sample->length - _at, 0, frames);
        const int bpf = SampleBytesPerFrame(_format);
        if (n > 0) std::memcpy(out, _sample->samples + static_cast<size_t>(_at) * bpf, static_cast<size_t>(n) * bpf);
        _at += n;
        return n;
    }

    bool Rewind() override {
        _at = 0;
        return true;
    }

private:
    Ref<TAudioSample> _sample;
    int _at = 0;
};

std::unique_ptr<TAudioDecoder> DecoderFrom(TAudioSampleLoader& loader, const Ref<TStream>& stream) {
    if (auto* decoding = dynamic_cast<TDecoderSampleLoader*>(&loader)) return decoding->OpenDecoder(stream);
    Ref<TAudioSample> sample = loader.LoadAudioSample(stream);
    if (!sample || SampleBytesPerFrame(sample->format) == 0) return nullptr;
    return std::make_unique<TSampleDecoder>(std::move(sample));
}

}  // namespace

std::unique_ptr<TAudioDecoder> OpenAudioDecoder(const Ref<TStream>& stream) {
    int start = stream->Pos();
    if (start == -1) return nullptr;
    for (auto loader = FirstAudioSampleLoader(); loader; loader = loader->_succ) {
        stream->Seek(start);
        try {
            if (auto decoder = DecoderFrom(*loader, stream)) return decoder;
        } catch (const TStreamException&) {
            // A damaged or truncated file: this loader failed, try the next.
        }
    }
    return nullptr;
}

}  // namespace vellum
