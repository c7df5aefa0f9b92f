#include "stream/stream_stream.h"

namespace vellum {

TStreamStream::~TStreamStream() { TStreamStream::Close(); }

Ref<TStreamStream> TStreamStream::Create(Ref<TStream> stream) {
    auto wrapper = New<TStreamStream>();
    wrapper->SetStream(std::move(stream));
    return wrapper;
}

int TStreamStream::Close() {
    _stream.reset();
    return 0;
}

}  // namespace vellum
