#include "text_encode.h"

#include "runtime/string.h"
#include "stream/text_stream.h"

namespace vellum {

std::string EncodeText(std::u16string_view text, int encoding) {
    if (encoding == TTextStream::UTF8) return ToUtf8(text);
    if (encoding == TTextStream::LATIN1) return ToLatin1(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        if (encoding == TTextStream::UTF16BE) {
            out += static_cast<char>(c >> 8);
            out += static_cast<char>(c & 0xFF);
        } else {
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>(c >> 8);
        }
    }
    return out;
}

}  // namespace vellum
