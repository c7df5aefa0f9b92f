#include "stream/open_stream.h"

#include "runtime/exception.h"
#include "stream/cstream.h"
#include "stream/stream_factory.h"
#include "stream/stream_stream.h"

namespace vellum {

namespace {

// Wrapper urls ("utf8::bigendian::file") open their inner url through here
// again; a url can come from data, so the nesting is bounded.
thread_local int openDepth = 0;

struct NestingGuard {
    NestingGuard() {
        if (openDepth > MAX_URL_NESTING) throw TStreamException(u"Stream url is nested too deeply");
        ++openDepth;
    }
    ~NestingGuard() { --openDepth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

}  // namespace

Ref<TStream> OpenUrlStream(const Ref<TObject>& url, int readable, int writeable) {
    if (auto stream = Cast<TStream>(url)) return TStreamStream::Create(stream);
    NestingGuard nesting;

    String text;
    UnboxString(url, text);  // any other object counts as the empty string
    size_t sep = text.find(u"::");
    if (!text.empty() && sep == String::npos) return TCStream::OpenFile(text, readable, writeable);

    String proto, path;
    if (sep != String::npos) {
        proto = ToLower(std::u16string_view(text).substr(0, sep));
        path = text.substr(sep + 2);
    }
    for (auto factory = FirstStreamFactory(); factory; factory = factory->_succ) {
        if (auto stream = factory->CreateStream(url, proto, path, readable, writeable)) return stream;
    }
    return nullptr;
}

Ref<TStream> OpenUrlStream(const String& url, int readable, int writeable) {
    return OpenUrlStream(BoxString(url), readable, writeable);
}

String ForwardSlashes(String path) {
    for (auto& c : path)
        if (c == u'\\') c = u'/';
    return path;
}

Ref<TStream> OpenReadStream(const Ref<TObject>& url) { return OpenUrlStream(url, 1, 0); }
Ref<TStream> OpenReadStream(const String& url) { return OpenUrlStream(url, 1, 0); }

Ref<TStream> OpenWriteStream(const Ref<TObject>& url) { return OpenUrlStream(url, 0, 1); }
Ref<TStream> OpenWriteStream(const String& url) { return OpenUrlStream(url, 0, 1); }

int CloseWrittenStream(TStream& stream) {
    // Both run: the close releases the file even when the flush failed.
    bool flushed = stream.Flush() == 0;
    bool closed = stream.Close() == 0;
    return flushed && closed ? 1 : 0;
}

TReadStreamCloser::~TReadStreamCloser() {
    try {
        stream_.Close();
    } catch (...) {
        // Closing a stream that was only read loses nothing.
    }
}

}  // namespace vellum
