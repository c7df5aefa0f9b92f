#pragma once
// TStreamStream: a wrapper handed out when a caller opens an existing stream
// as a url. Closing it lets go of the stream without closing it, so the
// caller's stream stays usable.

#include "stream/stream_wrapper.h"

#pragma GCC visibility push(default)
namespace vellum {

class TStreamStream : public TStreamWrapper {
public:
    ~TStreamStream() override;

    // Wraps stream.
    static Ref<TStreamStream> Create(Ref<TStream> stream);

    // Drops the inner stream without closing it.
    void Close() override;
};

}  // namespace vellum
#pragma GCC visibility pop
