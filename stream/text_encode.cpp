#include "text_encode.h"

#include "stream/text_stream.h"

namespace vellum {

namespace {

void PutUtf8(std::string& out, char32_t k) {
    if (k < 0x80) {
        out += static_cast<char>(k);
    } else if (k < 0x800) {
        out += static_cast<char>(0xC0 + (k >> 6));
        out += static_cast<char>(0x80 + (k & 0x3F));
    } else if (k < 0x10000) {
        out += static_cast<char>(0xE0 + (k >> 12));
        out += static_cast<char>(0x80 + ((k >> 6) & 0x3F));
        out += static_cast<char>(0x80 + (k & 0x3F));
    } else {
        out += static_cast<char>(0xF0 + (k >> 18));
        out += static_cast<char>(0x80 + ((k >> 12) & 0x3F));
        out += static_cast<char>(0x80 + ((k >> 6) & 0x3F));
        out += static_cast<char>(0x80 + (k & 0x3F));
    }
}

bool IsHigh(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

std::string EncodeText(std::u16string_view text, int encoding) {
    std::string out;
    out.reserve(encoding == TTextStream::LATIN1 ? text.size() : text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        switch (encoding) {
        case TTextStream::UTF8:
            if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
                PutUtf8(out, 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u));
                ++i;
            } else {
                PutUtf8(out, c);
            }
            break;
        case TTextStream::UTF16BE:
            out += static_cast<char>(c >> 8);
            out += static_cast<char>(c & 0xFF);
            break;
        case TTextStream::UTF16LE:
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>(c >> 8);
            break;
        default:
            out += static_cast<char>(c & 0xFF);
            break;
        }
    }
    return out;
}

}  // namespace vellum
