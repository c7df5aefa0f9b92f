#include "audio/sample_loader.h"

#include "audio/audio_module.h"
#include "runtime/exception.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

Ref<TAudioSampleLoader>& Head() {
    static auto* head = new Ref<TAudioSampleLoader>;  // loaders stay registered for the whole run
    return *head;
}

// Closes the stream however loading ends.
struct CloseOnExit {
    TStream& stream;
    ~CloseOnExit() { stream.Close(); }
};

}  // namespace

void RegisterAudioSampleLoader(Ref<TAudioSampleLoader> loader) {
    if (!loader) return;
    loader->_succ = Head();
    Head() = std::move(loader);
}

Ref<TAudioSampleLoader> FirstAudioSampleLoader() { return Head(); }

Ref<TAudioSample> LoadAudioSample(const Ref<TObject>& url) {
    InitAudioModule();
    Ref<TStream> stream = OpenReadStream(url);
    if (!stream) return nullptr;
    CloseOnExit closer{*stream};

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
