#include <filesystem>

#include "font/freetype_face.h"
#include "font/freetype_memory.h"
#include "runtime/exception.h"
#include "runtime/load_limits.h"
#include "stream/bank.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

// The rest of stream; false when it cannot be read or is too large.
bool ReadAll(TStream& stream, std::vector<uint8_t>& bytes) {
    constexpr size_t kPiece = 64 << 10;
    try {
        for (;;) {
            size_t old = bytes.size();
            if (old > static_cast<size_t>(TFreeTypeFont::MAX_FILE_BYTES)) return false;
            bytes.resize(old + kPiece);
            int n = stream.Read(bytes.data() + old, static_cast<int>(kPiece));
            bytes.resize(old + (n > 0 ? static_cast<size_t>(n) : 0));
            if (n <= 0) return true;
        }
    } catch (const TStreamException&) {
        return false;
    }
}

}  // namespace

TFreeTypeFont::TFreeTypeFont() = default;
TFreeTypeFont::~TFreeTypeFont() = default;

Ref<TFreeTypeFont> TFreeTypeFont::Load(const String& path, int size, int style) {
    if (size < 1 || size > MAX_SIZE || path.empty()) return nullptr;
    size_t sep = path.find(u"::");
    if (sep != String::npos && sep > 0) {
        auto stream = OpenReadStream(path);
        std::vector<uint8_t> bytes;
        if (!stream || !ReadAll(*stream, bytes)) return nullptr;
        stream->Close();
        return LoadMemory(std::move(bytes), size, style);
    }
    FT_Library library = FreeTypeLibrary();
    if (!library) return nullptr;
    std::string file = ToUtf8(ForwardSlashes(path));
    std::error_code error;
    auto fileBytes = static_cast<long long>(std::filesystem::file_size(file, error));
    if (error) return nullptr;
    FT_Face face = nullptr;
    {
        TFreeTypeAllowance allowance(fileBytes + MAX_DECODER_WORK_BYTES);
        if (FT_New_Face(library, file.c_str(), 0, &face) != 0) return nullptr;
    }
    auto owner = std::make_unique<Face>();
    owner->face = face;
    owner->fileBytes = fileBytes;
    return Open(std::move(owner), size, style);
}

Ref<TFreeTypeFont> TFreeTypeFont::LoadMemory(std::vector<uint8_t> bytes, int size, int style) {
    if (size < 1 || size > MAX_SIZE || bytes.empty() || bytes.size() > static_cast<size_t>(MAX_FILE_BYTES))
        return nullptr;
    FT_Library library = FreeTypeLibrary();
    if (!library) return nullptr;
    auto owner = std::make_unique<Face>();
    owner->buffer = std::move(bytes);
    owner->fileBytes = static_cast<long long>(owner->buffer.size());
    FT_Face face = nullptr;
    TFreeTypeAllowance allowance(owner->fileBytes + MAX_DECODER_WORK_BYTES);
    if (FT_New_Memory_Face(library, owner->buffer.data(), static_cast<FT_Long>(owner->buffer.size()), 0, &face) != 0)
        return nullptr;
    owner->face = face;
    return Open(std::move(owner), size, style);
}

Ref<TFreeTypeFont> TFreeTypeFont::Open(std::unique_ptr<Face> face, int size, int style) {
    // Bitmap faces accept only their own sizes: take the largest not above
    // the request.
    int s = size;
    TFreeTypeAllowance allowance(MAX_DECODER_WORK_BYTES);
    while (s >= 1 && FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(s)) != 0) s--;
    if (s < 1) return nullptr;
    const FT_Size_Metrics& metrics = face->face->size->metrics;
    auto font = New<TFreeTypeFont>();
    font->_style = style;
    font->_height = static_cast<int>(metrics.height >> 6);
    font->_ascend = static_cast<int>(metrics.ascender >> 6);
    font->_descend = static_cast<int>(metrics.descender >> 6);
    font->_glyphs.resize(face->face->num_glyphs > 0 ? static_cast<size_t>(face->face->num_glyphs) : 0);
    font->_face = std::move(face);
    return font;
}

int TFreeTypeFont::CharToGlyph(int character) {
    if (character < 0) return -1;
    return static_cast<int>(FT_Get_Char_Index(_face->face, static_cast<FT_ULong>(character))) - 1;
}

Ref<TFont> TFreeTypeFontLoader::LoadFont(const Ref<TObject>& source, int size, int style) {
    String path;
    if (UnboxString(source, path)) return TFreeTypeFont::Load(path, size, style);
    if (size < 1 || size > TFreeTypeFont::MAX_SIZE) return nullptr;
    if (auto bank = Cast<TBank>(source))
        return TFreeTypeFont::LoadMemory(std::vector<uint8_t>(bank->Buf(), bank->Buf() + bank->Size()), size, style);
    if (auto stream = Cast<TStream>(source)) {
        std::vector<uint8_t> bytes;
        if (!ReadAll(*stream, bytes)) return nullptr;
        return TFreeTypeFont::LoadMemory(std::move(bytes), size, style);
    }
    return nullptr;
}

}  // namespace vellum
