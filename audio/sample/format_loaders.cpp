#include "sample/format_loaders.h"

#include "sample/whole_sample.h"

namespace vellum {

namespace {

template <class Loader>
Ref<Loader> Registered() {
    auto loader = New<Loader>();
    RegisterAudioSampleLoader(loader);
    return loader;
}

}  // namespace

Ref<TAudioSample> TDecoderSampleLoader::LoadAudioSample(const Ref<TStream>& stream) {
    auto decoder = OpenDecoder(stream);
    return decoder ? ReadWholeSample(*decoder) : nullptr;
}

Ref<TAudioSampleLoaderWAV> TAudioSampleLoaderWAV::Create() { return Registered<TAudioSampleLoaderWAV>(); }

std::unique_ptr<TAudioDecoder> TAudioSampleLoaderWAV::OpenDecoder(const Ref<TStream>& stream) {
    return OpenWavDecoder(stream);
}

Ref<TAudioSampleLoaderOGG> TAudioSampleLoaderOGG::Create() { return Registered<TAudioSampleLoaderOGG>(); }

std::unique_ptr<TAudioDecoder> TAudioSampleLoaderOGG::OpenDecoder(const Ref<TStream>& stream) {
    return OpenOggDecoder(stream);
}

}  // namespace vellum
