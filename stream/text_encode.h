#pragma once
// Encoding 16-bit text into the bytes of a text stream's encoding.

#include <string>
#include <string_view>

namespace vellum {

// The bytes of text in encoding (a TTextStream constant). In UTF-8 a
// surrogate pair becomes one four-byte sequence and any other character the
// one-, two- or three-byte sequence of its 16-bit code.
std::string EncodeText(std::u16string_view text, int encoding);

}  // namespace vellum
