#include "stream/open_stream.h"

#include "stream/cstream.h"
#include "stream/stream_factory.h"
#include "stream/stream_stream.h"

namespace vellum {

Ref<TStream> OpenUrlStream(const Ref<TObject>& url, int readable, int writeable) {
    if (auto stream = Cast<TStream>(url)) return TStreamStream::Create(stream);

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

Ref<TStream> OpenReadStream(const Ref<TObject>& url) { return OpenUrlStream(url, 1, 0); }
Ref<TStream> OpenReadStream(const String& url) { return OpenUrlStream(url, 1, 0); }

Ref<TStream> OpenWriteStream(const Ref<TObject>& url) { return OpenUrlStream(url, 0, 1); }
Ref<TStream> OpenWriteStream(const String& url) { return OpenUrlStream(url, 0, 1); }

}  // namespace vellum
