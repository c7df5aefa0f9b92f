#pragma once
// Buffered reading of a stream for the picture decoders, which read many
// small pieces. It may read ahead of what the decoder has used.

#include <cstdint>

namespace vellum {

class TStream;

// Reads up to count bytes, repeating short reads; the number read, fewer
// only when the stream ends.
int ReadUpTo(TStream& stream, void* buffer, int count);

class TByteReader {
public:
    explicit TByteReader(TStream& stream) : _stream(stream) {}

    // The next byte; raises TStreamReadException at the end of the stream.
    int Byte() {
        if (_pos == _end) Fill();
        return _buf[_pos++];
    }
    // Exactly count bytes; raises TStreamReadException when the stream ends first.
    void Bytes(void* out, int count);
    // Up to count bytes; the number read, fewer only at the end of the stream.
    int BytesUpTo(void* out, int count);
    // Discards count bytes; raises TStreamReadException when the stream ends first.
    void Skip(long long count);
    // Bytes read from the stream ahead of what was handed out.
    int Buffered() const { return _end - _pos; }

private:
    void Fill();

    TStream& _stream;
    uint8_t _buf[4096];
    int _pos = 0;
    int _end = 0;
};

}  // namespace vellum
