#include "runtime/string.h"

#include <charconv>
#include <cstdlib>

namespace vellum {

namespace {

template <class T>
String DecimalText(T value) {
    char buf[48];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    return FromLatin1(std::string_view(buf, result.ptr - buf));
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

String ToString(int value) { return DecimalText(value); }
String ToString(long long value) { return DecimalText(value); }
String ToString(float value) { return DecimalText(value); }
String ToString(double value) { return DecimalText(value); }

String FromUtf8(std::string_view utf8) {
    String out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b0 = utf8[i];
        char32_t cp;
        int extra;
        char32_t min;
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F, extra = 1, min = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F, extra = 2, min = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07, extra = 3, min = 0x10000;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (; j < utf8.size() && j <= i + extra; ++j) {
            unsigned char b = utf8[j];
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        // The three bytes of a surrogate read as that unit, as ToUtf8 writes it.
        if (j != i + 1 + extra || cp < min || cp > 0x10FFFF) {
            out.push_back(0xFFFD);
            i = j > i + 1 ? j : i + 1;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i = j;
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

String FromLatin1(std::string_view bytes) {
    String out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    return out;
}

std::string ToLatin1(std::u16string_view text) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i] & 0xFF);
    return out;
}

String ToUpper(std::u16string_view text) {
    String out(text);
    for (auto& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return out;
}

String ToLower(std::u16string_view text) {
    String out(text);
    for (auto& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    return out;
}

long long ParseLong(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    unsigned long long value = 0;  // unsigned so that overflow wraps instead of being undefined
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + static_cast<unsigned>(text[i] - u'0');
    return static_cast<long long>(negative ? 0 - value : value);
}

int ParseInt(std::u16string_view text) { return static_cast<int>(ParseLong(text)); }

double ParseDouble(std::u16string_view text) {
    std::string ascii;
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    for (; i < text.size() && text[i] < 128; ++i) ascii.push_back(static_cast<char>(text[i]));
    // strtod also understands "inf" and "nan", which is what a reader of our own
    // decimal output needs.
    return std::strtod(ascii.c_str(), nullptr);
}

Ref<TObject> BoxString(String text) { return New<TStringObject>(std::move(text)); }

bool UnboxString(const Ref<TObject>& object, String& text) {
    auto boxed = dynamic_cast<const TStringObject*>(object.get());
    if (!boxed) return false;
    text = boxed->value;
    return true;
}

}  // namespace vellum
