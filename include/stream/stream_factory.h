#pragma once
/// \file
/// Stream factories open urls of the form "proto::path" (and url objects such
/// as banks). The registry is a chain through _succ, newest first.

#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Opens the streams of urls with a protocol ("proto::path") or of url objects;
/// the factories are asked newest first.
class TStreamFactory : public TObject {
public:
    /// The stream for the url, or Null when this factory does not handle it.
    /// proto is lower case; both proto and path are empty for url objects.
    virtual Ref<TStream> CreateStream(const Ref<TObject>& url, const String& proto, const String& path,
                                      int readable, int writeable) = 0;

    /// The next older factory.
    Ref<TStreamFactory> _succ;
};

/// Links factory at the head of the registry, so it is asked first. A factory
/// already registered stays where it is.
void RegisterStreamFactory(Ref<TStreamFactory> factory);
/// The newest registered factory, Null when there is none.
Ref<TStreamFactory> FirstStreamFactory();

}  // namespace vellum
#pragma GCC visibility pop
