#include "stream/stream_factories.h"

#include "stream/bank_stream.h"
#include "stream/incbin.h"
#include "stream/open_stream.h"
#include "stream/ram_stream.h"
#include "stream/text_stream.h"
#include "stream/xendian_stream.h"

namespace vellum {

Ref<TStream> TBankStreamFactory::CreateStream(const Ref<TObject>& url, const String&, const String&, int,
                                              int) {
    auto bank = Cast<TBank>(url);
    if (!bank) return nullptr;
    return TBankStream::Create(bank);
}

Ref<TStream> TRamStreamFactory::CreateStream(const Ref<TObject>&, const String& proto, const String& path, int,
                                             int writeable) {
    if (proto != u"incbin" || writeable) return nullptr;
    const void* data;
    int size;
    if (!FindIncbin(path, data, size)) return nullptr;
    // Read-only, so the embedded constant data is never written.
    return TRamStream::Create(const_cast<void*>(data), size, 1, 0);
}

Ref<TStream> TXEndianStreamFactory::CreateStream(const Ref<TObject>&, const String& proto, const String& path,
                                                 int readable, int writeable) {
    if (proto == u"bigendian") return BigEndianStream(OpenUrlStream(path, readable, writeable));
    if (proto == u"littleendian") return LittleEndianStream(OpenUrlStream(path, readable, writeable));
    return nullptr;
}

Ref<TStream> TTextStreamFactory::CreateStream(const Ref<TObject>&, const String& proto, const String& path,
                                              int readable, int writeable) {
    int encoding = 0;
    if (proto == u"latin1") encoding = TTextStream::LATIN1;
    else if (proto == u"utf8") encoding = TTextStream::UTF8;
    else if (proto == u"utf16be") encoding = TTextStream::UTF16BE;
    else if (proto == u"utf16le") encoding = TTextStream::UTF16LE;
    if (encoding == 0) return nullptr;
    return TTextStream::Create(OpenUrlStream(path, readable, writeable), encoding);
}

}  // namespace vellum
