#include "audio/wav_loader.h"

#include "sample/audio_decoder.h"
#include "sample/whole_sample.h"

namespace vellum {

Ref<TAudioSampleLoaderWAV> TAudioSampleLoaderWAV::Create() {
    auto loader = New<TAudioSampleLoaderWAV>();
    RegisterAudioSampleLoader(loader);
    return loader;
}

Ref<TAudioSample> TAudioSampleLoaderWAV::LoadAudioSample(const Ref<TStream>& stream) {
    auto decoder = OpenWavDecoder(stream);
    return decoder ? ReadWholeSample(*decoder) : nullptr;
}

}  // namespace vellum
