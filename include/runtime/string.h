#pragma once
/// \file
/// Strings are immutable sequences of UTF-16 code units. Helpers convert to
/// and from the platform's UTF-8 and Latin-1 and write numbers in decimal.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The engine's strings: UTF-16 code units.
using String = std::u16string;

/// Decimal text of a number, with a leading "-" when negative.
///@{
String ToString(int value);
String ToString(long long value);
///@}
/// Shortest text that reads back as the same value ("1.5", "0.1", "-3").
///@{
String ToString(float value);
String ToString(double value);
///@}

/// The engine's one UTF-8 codec, shared by strings and text streams. A
/// surrogate pair is one four-byte sequence; a lone surrogate is the three
/// bytes of its own code, as a text stream writes every 16-bit character, so
/// any string comes back unchanged.
///
/// Decoding: characters beyond U+FFFF become surrogate pairs; other malformed
/// bytes (cut short, overlong, stray, beyond U+10FFFF) become U+FFFD.
String FromUtf8(std::string_view utf8);
/// UTF-8 encoding by the rule above.
std::string ToUtf8(std::u16string_view text);

/// Each byte becomes one character.
String FromLatin1(std::string_view bytes);
/// Each character becomes its low 8 bits.
std::string ToLatin1(std::u16string_view text);

/// Upper- or lower-cases the letters a-z / A-Z only.
///@{
String ToUpper(std::u16string_view text);
String ToLower(std::u16string_view text);
///@}

/// Leading integer of the text: optional spaces and sign, then decimal
/// digits; 0 when there are none. Values wrap like 32/64-bit integers.
///@{
int ParseInt(std::u16string_view text);
long long ParseLong(std::u16string_view text);
///@}
/// Leading decimal number of the text, 0 when there is none.
double ParseDouble(std::u16string_view text);

/// A string boxed as an object, for places that take any object (event
/// extras, urls).
class TStringObject : public TObject {
public:
    /// Boxes text.
    explicit TStringObject(String text) : value(std::move(text)) {}
    const String value;  ///< the boxed text
};

/// The text boxed as a TStringObject.
Ref<TObject> BoxString(String text);
/// The text of a boxed string; false for Null or any other object.
bool UnboxString(const Ref<TObject>& object, String& text);

}  // namespace vellum
#pragma GCC visibility pop
