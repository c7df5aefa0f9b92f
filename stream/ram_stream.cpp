#include "stream/ram_stream.h"

#include <algorithm>
#include <cstring>

#include "runtime/exception.h"

namespace vellum {

Ref<TRamStream> TRamStream::Create(void* memory, int size, int readable, int writeable) {
    if (size < 0) throw TRuntimeException(u"Stream size must not be negative");
    if (!memory && size > 0) throw TRuntimeException(u"Stream memory is Null");
    auto stream = New<TRamStream>();
    stream->_buf = static_cast<unsigned char*>(memory);
    stream->_size = size;
    stream->_read = readable ? 1 : 0;
    stream->_write = writeable ? 1 : 0;
    return stream;
}

int TRamStream::Seek(int pos) {
    _pos = std::clamp(pos, 0, _size);
    return _pos;
}

int TRamStream::Read(void* buffer, int count) {
    if (count <= 0 || !_read) return 0;
    int n = std::min(count, _size - _pos);
    if (n > 0) std::memmove(buffer, _buf + _pos, static_cast<size_t>(n));
    _pos += n;
    return n;
}

int TRamStream::Write(const void* buffer, int count) {
    if (count <= 0 || !_write) return 0;
    int n = std::min(count, _size - _pos);
    if (n > 0) std::memmove(_buf + _pos, buffer, static_cast<size_t>(n));
    _pos += n;
    return n;
}

Ref<TRamStream> CreateRamStream(void* memory, int size, int readable, int writeable) {
    return TRamStream::Create(memory, size, readable, writeable);
}

}  // namespace vellum
