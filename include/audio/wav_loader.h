#pragma once
// The loader of PCM WAV files: 8 or 16 bits, mono or stereo.

#include "audio/sample_loader.h"

namespace vellum {

class TAudioSampleLoaderWAV : public TAudioSampleLoader {
public:
    // Creates the loader and registers it.
    static Ref<TAudioSampleLoaderWAV> Create();

    Ref<TAudioSample> LoadAudioSample(const Ref<TStream>& stream) override;
};

}  // namespace vellum
