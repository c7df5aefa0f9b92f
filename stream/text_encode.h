#pragma once
// Encoding 16-bit text into the bytes of a text stream's encoding.

#include <string>
#include <string_view>

namespace vellum {

// The bytes of text in encoding (a TTextStream constant). UTF-8 and Latin-1
// are the runtime's ToUtf8 and ToLatin1, so a string gives the same bytes
// through a text stream as through any other path.
std::string EncodeText(std::u16string_view text, int encoding);

}  // namespace vellum
