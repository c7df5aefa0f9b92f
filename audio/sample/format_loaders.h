#pragma once
// The sample loaders of the formats the engine reads itself. Each one
// decodes a piece at a time, so the same decoder loads whole samples and
// plays streamed sounds.

#include <memory>

#include "audio/sample_loader.h"
#include "sample/audio_decoder.h"

namespace vellum {

class TDecoderSampleLoader : public TAudioSampleLoader {
public:
    // A decoder over stream from its current position; Null when the
    // stream is not of this loader's format. Stream errors propagate.
    virtual std::unique_ptr<TAudioDecoder> OpenDecoder(const Ref<TStream>& stream) = 0;
    // One pass of OpenDecoder's frames as a sample.
    Ref<TAudioSample> LoadAudioSample(const Ref<TStream>& stream) override;
};

// PCM WAV files: 8 or 16 bits, mono or stereo.
class TAudioSampleLoaderWAV : public TDecoderSampleLoader {
public:
    // Creates the loader and registers it.
    static Ref<TAudioSampleLoaderWAV> Create();
    std::unique_ptr<TAudioDecoder> OpenDecoder(const Ref<TStream>& stream) override;
};

// Ogg Vorbis files, decoded to 16-bit PCM.
class TAudioSampleLoaderOGG : public TDecoderSampleLoader {
public:
    // Creates the loader and registers it.
    static Ref<TAudioSampleLoaderOGG> Create();
    std::unique_ptr<TAudioDecoder> OpenDecoder(const Ref<TStream>& stream) override;
};

}  // namespace vellum
