#pragma once
/// \file
/// The factories the stream module registers: banks, embedded data, byte order
/// and text encodings.

#include "stream/stream_factory.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A bank as url: a stream over it.
class TBankStreamFactory : public TStreamFactory {
public:
    Ref<TStream> CreateStream(const Ref<TObject>& url, const String& proto, const String& path, int readable,
                              int writeable) override;
};

/// "incbin::path": a read-only stream over data embedded in the program.
class TRamStreamFactory : public TStreamFactory {
public:
    Ref<TStream> CreateStream(const Ref<TObject>& url, const String& proto, const String& path, int readable,
                              int writeable) override;
};

/// "bigendian::url" and "littleendian::url": url in that byte order.
class TXEndianStreamFactory : public TStreamFactory {
public:
    Ref<TStream> CreateStream(const Ref<TObject>& url, const String& proto, const String& path, int readable,
                              int writeable) override;
};

/// "latin1::url", "utf8::url", "utf16be::url", "utf16le::url": url as text.
class TTextStreamFactory : public TStreamFactory {
public:
    Ref<TStream> CreateStream(const Ref<TObject>& url, const String& proto, const String& path, int readable,
                              int writeable) override;
};

}  // namespace vellum
#pragma GCC visibility pop
