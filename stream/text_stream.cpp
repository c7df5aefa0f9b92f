#include "stream/text_stream.h"

#include "runtime/exception.h"
#include "text_encode.h"

namespace vellum {

Ref<TTextStream> TTextStream::Create(Ref<TStream> stream, int encoding) {
    if (encoding < LATIN1 || encoding > UTF16LE) throw TRuntimeException(u"Unknown text encoding");
    if (!stream) return nullptr;
    auto text = New<TTextStream>();
    text->SetStream(std::move(stream));
    text->_encoding = encoding;
    return text;
}

int TTextStream::Eof() { return _pending >= 0 ? 0 : TStreamWrapper::Eof(); }

int TTextStream::NextByte() {
    unsigned char byte;
    return TStreamWrapper::Read(&byte, 1) == 1 ? byte : -1;
}

int TTextStream::NextChar() {
    if (_pending >= 0) {
        int low = _pending;
        _pending = -1;
        return low;
    }
    int b0 = NextByte();
    if (b0 < 0) return -1;
    if (_encoding == LATIN1) return b0;
    if (_encoding != UTF8) {
        int b1 = NextByte();
        if (b1 < 0) return -1;
        return _encoding == UTF16BE ? (b0 << 8) | b1 : (b1 << 8) | b0;
    }

    // UTF-8. Well-formed bytes, a lone surrogate's three included, read as
    // FromUtf8 reads them. Continuation bytes are not checked; the arithmetic
    // is unsigned and keeps the low 16 bits, so malformed bytes give some
    // character rather than an error, as stored files have always read.
    if (b0 < 0x80) return b0;
    int b1 = NextByte();
    if (b1 < 0) return -1;
    if (b0 < 0xE0) return static_cast<int>(((b0 - 0xC0u) * 64 + (b1 - 0x80u)) & 0xFFFF);
    int b2 = NextByte();
    if (b2 < 0) return -1;
    if (b0 < 0xF0) return static_cast<int>(((b0 - 0xE0u) * 4096 + (b1 - 0x80u) * 64 + (b2 - 0x80u)) & 0xFFFF);
    int b3 = NextByte();
    if (b3 < 0) return -1;
    unsigned cp = (b0 - 0xF0u) * 262144 + (b1 - 0x80u) * 4096 + (b2 - 0x80u) * 64 + (b3 - 0x80u);
    if (cp < 0x10000 || cp > 0x10FFFF) return static_cast<int>(cp & 0xFFFF);
    cp -= 0x10000;
    _pending = static_cast<int>(0xDC00 + (cp & 0x3FF));
    return static_cast<int>(0xD800 + (cp >> 10));
}

void TTextStream::Put(std::u16string_view text) {
    std::string bytes = EncodeText(text, _encoding);
    Inner(true).WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
}

int TTextStream::ReadChar() {
    BeginTextInput();
    int c = NextChar();
    if (c < 0) throw TStreamReadException();
    return c;
}

void TTextStream::WriteChar(int c) {
    BeginTextOutput();
    char16_t unit = static_cast<char16_t>(c);
    Put(std::u16string_view(&unit, 1));
}

String TTextStream::ReadLine() {
    BeginTextInput();
    String line;
    for (int c = NextChar(); c > 0 && c != u'\n'; c = NextChar()) {
        if (c != u'\r') line.push_back(static_cast<char16_t>(c));
    }
    return line;
}

int TTextStream::WriteLine(const String& text) {
    BeginTextOutput();
    Put(text + u"\r\n");
    return 1;
}

String TTextStream::ReadString(int length) {
    BeginTextInput();
    String text;
    for (int i = 0; i < length; ++i) {
        int c = NextChar();
        if (c < 0) throw TStreamReadException();
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

void TTextStream::WriteString(const String& text) {
    BeginTextOutput();
    Put(text);
}

String TTextStream::ReadFile() {
    BeginTextInput();
    String text;
    for (int c = NextChar(); c >= 0; c = NextChar()) text.push_back(static_cast<char16_t>(c));
    return text;
}

}  // namespace vellum
