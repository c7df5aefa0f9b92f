#pragma once
// Opening urls. A url is a stream, a bank, or a string: a plain file path or
// "proto::path", which the registered factories resolve.

#include "stream/stream.h"

namespace vellum {

// Opens url: an existing stream comes back wrapped (closing the wrapper
// leaves it open), a path opens a file, anything else goes to the
// factories. Null when nothing can open it.
Ref<TStream> OpenUrlStream(const Ref<TObject>& url, int readable, int writeable);
Ref<TStream> OpenUrlStream(const String& url, int readable, int writeable);

// OpenUrlStream for reading only.
Ref<TStream> OpenReadStream(const Ref<TObject>& url);
Ref<TStream> OpenReadStream(const String& url);

// OpenUrlStream for writing only.
Ref<TStream> OpenWriteStream(const Ref<TObject>& url);
Ref<TStream> OpenWriteStream(const String& url);

}  // namespace vellum
