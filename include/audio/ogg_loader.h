#pragma once
// The loader of Ogg Vorbis files, decoded whole to 16-bit PCM.

#include "audio/sample_loader.h"

namespace vellum {

class TAudioSampleLoaderOGG : public TAudioSampleLoader {
public:
    // Creates the loader and registers it.
    static Ref<TAudioSampleLoaderOGG> Create();

    Ref<TAudioSample> LoadAudioSample(const Ref<TStream>& stream) override;
};

}  // namespace vellum
