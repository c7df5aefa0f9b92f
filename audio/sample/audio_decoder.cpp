#include "sample/audio_decoder.h"

#include "runtime/exception.h"

namespace vellum {

std::unique_ptr<TAudioDecoder> OpenAudioDecoder(const Ref<TStream>& stream) {
    int start = stream->Pos();
    if (start == -1) return nullptr;
    for (auto open : {OpenWavDecoder, OpenOggDecoder}) {
        stream->Seek(start);
        try {
            if (auto decoder = open(stream)) return decoder;
        } catch (const TStreamException&) {
            // A damaged or truncated file: this decoder failed, try the next.
        }
    }
    return nullptr;
}

}  // namespace vellum
