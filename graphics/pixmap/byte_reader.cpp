#include "pixmap/byte_reader.h"

#include <algorithm>
#include <cstring>

#include "runtime/exception.h"
#include "stream/stream.h"

namespace vellum {

int ReadUpTo(TStream& stream, void* buffer, int count) {
    auto* out = static_cast<uint8_t*>(buffer);
    int done = 0;
    while (done < count) {
        int n = stream.Read(out + done, count - done);
        if (n <= 0) break;
        done += n;
    }
    return done;
}

void TByteReader::Fill() {
    _pos = _end = 0;
    int n = _stream.Read(_buf, sizeof _buf);
    if (n <= 0) throw TStreamReadException();
    _end = n;
}

int TByteReader::BytesUpTo(void* out, int count) {
    auto* dest = static_cast<uint8_t*>(out);
    int done = 0;
    while (done < count) {
        if (_pos == _end) {
            _pos = _end = 0;
            int n = _stream.Read(_buf, sizeof _buf);
            if (n <= 0) break;
            _end = n;
        }
        int n = std::min(count - done, _end - _pos);
        std::memcpy(dest + done, _buf + _pos, static_cast<size_t>(n));
        _pos += n;
        done += n;
    }
    return done;
}

void TByteReader::Bytes(void* out, int count) {
    if (BytesUpTo(out, count) < count) throw TStreamReadException();
}

void TByteReader::Skip(long long count) {
    while (count > 0) {
        if (_pos == _end) Fill();
        int n = static_cast<int>(std::min<long long>(count, _end - _pos));
        _pos += n;
        count -= n;
    }
}

}  // namespace vellum
