#pragma once
/// \file
/// TStreamStream: a wrapper handed out when a caller opens an existing stream
/// as a url. Closing it lets go of the stream without closing it, so the
/// caller's stream stays usable.

#include "stream/stream_wrapper.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A wrapper that hands everything to a stream it does not own: closing it
/// leaves that stream open.
class TStreamStream : public TStreamWrapper {
public:
    ~TStreamStream() override;

    /// Wraps stream.
    static Ref<TStreamStream> Create(Ref<TStream> stream);

    /// Drops the inner stream without closing it (0).
    int Close() override;
};

}  // namespace vellum
#pragma GCC visibility pop
