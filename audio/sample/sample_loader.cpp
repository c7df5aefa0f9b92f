#include "audio/sample_loader.h"

#include "audio/audio_module.h"
#include "runtime/exception.h"
#include "runtime/loader_chain.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

TLoaderChain<TAudioSampleLoader>& Chain() { return ModuleChain<TAudioSampleLoader, InitAudioModule>(); }

}  // namespace

void RegisterAudioSampleLoader(Ref<TAudioSampleLoader> loader) { Chain().Register(std::move(loader)); }

Ref<TAudioSampleLoader> FirstAudioSampleLoader() { return Chain().First(); }

Ref<TAudioSample> LoadAudioSample(const Ref<TObject>& url) {
    InitAudioModule();
    Ref<TStream> stream = OpenReadStream(url);
    if (!stream) return nullptr;
    TReadStreamCloser closer(*stream);

    int start = stream->Pos();
    if (start == -1) throw TRuntimeException(u"Stream is not seekable");
    for (auto loader = FirstAudioSampleLoader(); loader; loader = loader->_succ) {
        stream->Seek(start);
        try {
            if (auto sample = loader->LoadAudioSample(stream)) return sample;
        } catch (const TStreamException&) {
            // A damaged or truncated file: this loader failed, try the next.
        }
    }
    return nullptr;
}

Ref<TAudioSample> LoadAudioSample(const String& url) { return LoadAudioSample(BoxString(url)); }

}  // namespace vellum
