#include "audio/ogg_loader.h"

#include "sample/audio_decoder.h"
#include "sample/whole_sample.h"

namespace vellum {

Ref<TAudioSampleLoaderOGG> TAudioSampleLoaderOGG::Create() {
    auto loader = New<TAudioSampleLoaderOGG>();
    RegisterAudioSampleLoader(loader);
    return loader;
}

Ref<TAudioSample> TAudioSampleLoaderOGG::LoadAudioSample(const Ref<TStream>& stream) {
    auto decoder = OpenOggDecoder(stream);
    return decoder ? ReadWholeSample(*decoder) : nullptr;
}

}  // namespace vellum
