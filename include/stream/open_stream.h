#pragma once
/// \file
/// Opening urls. A url is a stream, a bank, or a string: a plain file path or
/// "proto::path", which the registered factories resolve.

#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// How many wrapper protocols one url may stack.
constexpr int MAX_URL_NESTING = 16;

/// Opens url: an existing stream comes back wrapped (closing the wrapper
/// leaves it open), a path opens a file, anything else goes to the
/// factories. Null when nothing can open it. A url that wraps more than
/// MAX_URL_NESTING others ("utf8::utf8::...") raises a TStreamException.
///@{
Ref<TStream> OpenUrlStream(const Ref<TObject>& url, int readable, int writeable);
Ref<TStream> OpenUrlStream(const String& url, int readable, int writeable);
///@}

/// The path with every backslash as a slash: file paths accept either.
String ForwardSlashes(String path);

/// OpenUrlStream for reading only.
///@{
Ref<TStream> OpenReadStream(const Ref<TObject>& url);
Ref<TStream> OpenReadStream(const String& url);
///@}

/// OpenUrlStream for writing only.
///@{
Ref<TStream> OpenWriteStream(const Ref<TObject>& url);
Ref<TStream> OpenWriteStream(const String& url);
///@}

/// Flushes and closes a stream that was written: 1 when everything written
/// reached its destination, 0 when some of it was lost.
int CloseWrittenStream(TStream& stream);

/// Closes a stream that was only read when the scope ends, however it ends.
/// Nothing written can be lost, so a failing close is ignored rather than
/// allowed to escape a destructor.
class TReadStreamCloser {
public:
    /// Closes stream when this goes away.
    explicit TReadStreamCloser(TStream& stream) : stream_(stream) {}
    TReadStreamCloser(const TReadStreamCloser&) = delete;
    TReadStreamCloser& operator=(const TReadStreamCloser&) = delete;
    ~TReadStreamCloser();

private:
    TStream& stream_;
};

}  // namespace vellum
#pragma GCC visibility pop
