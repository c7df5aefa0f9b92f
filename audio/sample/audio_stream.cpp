#include "sample/audio_stream.h"

#include "audio/audio_module.h"
#include "runtime/exception.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

// The file's stream stays open as long as its decoder.
std::unique_ptr<TAudioDecoder> OpenUrl(const Ref<TObject>& url) {
    Ref<TStream> stream = OpenReadStream(url);
    return stream ? OpenAudioDecoder(stream) : nullptr;
}

}  // namespace

std::shared_ptr<TAudioStream> TAudioStream::Open(const Ref<TObject>& url, bool loop) {
    InitAudioModule();
    auto decoder = OpenUrl(url);
    if (!decoder) return nullptr;
    auto stream = std::make_shared<TAudioStream>();
    stream->_url = url;
    stream->_format = decoder->Format();
    stream->_hertz = decoder->Hertz();
    stream->_length = decoder->Length();
    stream->_loop = loop;
    stream->_spare = {std::move(decoder), true};
    return stream;
}

std::unique_ptr<TAudioDecoder> TAudioStream::TakeDecoder() {
    Spare spare;
    {
        std::lock_guard lock(_mutex);
        spare = std::move(_spare);
    }
    try {
        if (spare.decoder && (spare.rewound || spare.decoder->Rewind())) return std::move(spare.decoder);
        spare.decoder.reset();
        return OpenUrl(_url);
    } catch (const TStreamException&) {
        return nullptr;  // the file went away or turned out damaged
    }
}

void TAudioStream::GiveBack(std::unique_ptr<TAudioDecoder> decoder) {
    std::lock_guard lock(_mutex);
    if (!_spare.decoder) _spare = {std::move(decoder), false};
}

}  // namespace vellum
