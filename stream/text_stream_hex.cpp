// Raw bytes through a text stream: two uppercase hex digits per byte, 32
// bytes to a line, and the switch between hex lines and ordinary text.

#include "runtime/exception.h"
#include "stream/text_stream.h"

namespace vellum {

namespace {

constexpr int kBytesPerLine = 32;

int HexValue(int c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    throw TStreamReadException();
}

char16_t HexDigit(int value) { return u"0123456789ABCDEF"[value & 15]; }

}  // namespace

int TTextStream::Read(void* buffer, int count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (int i = 0; i < count; ++i) {
        if (_bufcount >= kBytesPerLine) {
            _bufcount = 0;
            if (!ConsumeTerminator()) return i;
        }
        // A pair cut off by the end of the stream is not a byte.
        int high = NextChar();
        if (high < 0) return i;
        int low = NextChar();
        if (low < 0) return i;
        bytes[i] = static_cast<unsigned char>(HexValue(high) << 4 | HexValue(low));
        ++_bufcount;
    }
    return count > 0 ? count : 0;
}

int TTextStream::Write(const void* buffer, int count) {
    if (count <= 0) return 0;
    auto* bytes = static_cast<const unsigned char*>(buffer);
    String text;
    text.reserve(static_cast<size_t>(count) * 2 + static_cast<size_t>(count) / kBytesPerLine * 2 + 2);
    for (int i = 0; i < count; ++i) {
        text.push_back(HexDigit(bytes[i] >> 4));
        text.push_back(HexDigit(bytes[i]));
        if (++_bufcount >= kBytesPerLine) {
            text += u"\r\n";
            _bufcount = 0;
        }
    }
    Put(text);
    return count;
}

void TTextStream::BeginTextOutput() {
    if (_bufcount == 0) return;
    _bufcount = 0;
    Put(u"\r\n");
}

void TTextStream::BeginTextInput() {
    if (_bufcount == 0) return;
    _bufcount = 0;
    ConsumeTerminator();
}

bool TTextStream::ConsumeTerminator() {
    int c = NextChar();
    if (c == u'\r') c = NextChar();
    if (c < 0) return false;  // the last line needs no terminator
    if (c != u'\n') throw TRuntimeException(u"Malformed line terminator");
    return true;
}

}  // namespace vellum
