// PNG decoding through libpng. libpng reports errors by longjmp, so every
// call that can fail runs inside a small function whose frame holds nothing
// with a destructor; C++ objects live in the caller, and exceptions from the
// stream are caught in the read callback and raised again after cleanup.

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <vector>

#include "pixmap/byte_reader.h"
#include "pixmap/picture_input.h"
#include "pixmap/picture_loaders.h"
#include "runtime/load_limits.h"
#include "stream/stream.h"

namespace vellum {

namespace {

struct PngSource {
    TStream* stream;
    std::exception_ptr* error;
};

struct PngHeader {
    png_uint_32 width;
    png_uint_32 height;
    int colorType;
    int bitDepth;
    size_t rowBytes;
    size_t storedRowBytes;  // a row as the file stores it, before the transforms
};

// Deflate gives at most this many bytes for one of its own.
constexpr long long kMaxDeflateRatio = 1032;

// Ancillary chunks the loader has no use for. libpng skips them (and every
// unknown chunk) without reading them into memory.
constexpr png_byte kSkippedChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0sTER\0tEXt\0tIME\0zTXt";

// Everything libpng allocates goes through here and is counted, so that
// together it stays within the decoders' working memory: a chunk that
// claims gigabytes ends in libpng's own out-of-memory error. The pixels
// are the loader's, not libpng's.
struct PngMemory {
    long long held = 0;
};

union PngBlockHeader {
    size_t size;
    std::max_align_t align;
};

png_voidp PngAllocate(png_structp png, png_alloc_size_t size) {
    auto* memory = static_cast<PngMemory*>(png_get_mem_ptr(png));
    if (size > static_cast<png_alloc_size_t>(MAX_DECODER_WORK_BYTES - memory->held)) return nullptr;
    auto* block = static_cast<PngBlockHeader*>(std::malloc(sizeof(PngBlockHeader) + size));
    if (!block) return nullptr;
    block->size = size;
    memory->held += static_cast<long long>(size);
    return block + 1;
}

void PngRelease(png_structp png, png_voidp pointer) {
    if (!pointer) return;
    auto* block = static_cast<PngBlockHeader*>(pointer) - 1;
    static_cast<PngMemory*>(png_get_mem_ptr(png))->held -= static_cast<long long>(block->size);
    std::free(block);
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

void ReadPngData(png_structp png, png_bytep data, size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        while (length > 0) {
            int piece = length > 1u << 30 ? 1 << 30 : static_cast<int>(length);
            source->stream->ReadBytes(data, piece);
            data += piece;
            length -= static_cast<size_t>(piece);
        }
    } catch (...) {
        *source->error = std::current_exception();
        failed = true;
    }
    if (failed) png_error(png, "read failed");
}

// Owns libpng's read state.
class TPngReadState {
public:
    explicit TPngReadState(PngSource* source) {
        png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning, &memory,
                                       PngAllocate, PngRelease);
        if (!png) return;
        info = png_create_info_struct(png);
        png_set_read_fn(png, source, ReadPngData);
    }
    ~TPngReadState() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
    TPngReadState(const TPngReadState&) = delete;
    TPngReadState& operator=(const TPngReadState&) = delete;

    PngMemory memory;  // outlives libpng's state, which is freed through it
    png_structp png = nullptr;
    png_infop info = nullptr;
};

// Reads the chunks before the pixels and sets up the transforms: 8 bits per
// channel, palettes and low depths expanded, transparency to alpha, grey
// with alpha widened to RGBA. 0 when libpng fails.
int ReadPngHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return 0;
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE);
    png_set_chunk_malloc_max(png, MAX_DECODER_WORK_BYTES);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, sizeof kSkippedChunks / 5);
    png_read_info(png, info);
    header->storedRowBytes = png_get_rowbytes(png, info);
    int type = png_get_color_type(png, info);
    bool greyAlpha = type == PNG_COLOR_TYPE_GRAY_ALPHA ||
                     (type == PNG_COLOR_TYPE_GRAY && png_get_valid(png, info, PNG_INFO_tRNS));
    png_set_strip_16(png);
    png_set_expand(png);
    if (greyAlpha) png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    header->colorType = png_get_color_type(png, info);
    header->bitDepth = png_get_bit_depth(png, info);
    header->rowBytes = png_get_rowbytes(png, info);
    return 1;
}

// Decodes every row into rows. 0 when libpng fails.
int ReadPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return 0;
    png_read_image(png, rows);
    return 1;
}

int PngFormat(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY: return FMT_I8;
        case PNG_COLOR_TYPE_RGB: return FMT_RGB888;
        case PNG_COLOR_TYPE_RGB_ALPHA: return FMT_RGBA8888;
        default: return 0;
    }
}

}  // namespace

Ref<TPixmap> TPngLoader::LoadPixmap(TStream& stream) {
    png_byte signature[8];
    if (ReadUpTo(stream, signature, 8) < 8 || png_sig_cmp(signature, 0, 8) != 0) return nullptr;

    std::exception_ptr error;
    PngSource source{&stream, &error};
    TPngReadState state(&source);
    if (!state.png || !state.info) return nullptr;

    PngHeader header{};
    bool ok = ReadPngHeader(state.png, state.info, &header);
    int format = PngFormat(header.colorType);
    if (ok && (header.bitDepth != 8 || format == 0 ||
               header.rowBytes != static_cast<size_t>(header.width) * BytesPerPixel(format) ||
               !PictureSizeAllowed(header.width, header.height, BytesPerPixel(format))))
        return nullptr;
    // Each row is stored with a filter byte, then deflated.
    long long stored = static_cast<long long>(header.height) * (static_cast<long long>(header.storedRowBytes) + 1);
    if (ok && !InputCanHold(stream, static_cast<long long>(header.rowBytes) * header.height, stored / kMaxDeflateRatio))
        return nullptr;

    Ref<TPixmap> pixmap;
    if (ok) {
        pixmap = TPixmap::Create(static_cast<int>(header.width), static_cast<int>(header.height), format, 4);
        std::vector<png_bytep> rows(header.height);
        for (png_uint_32 y = 0; y < header.height; y++) rows[y] = pixmap->PixelPtr(0, static_cast<int>(y));
        ok = ReadPngRows(state.png, rows.data());
    }
    if (error) std::rethrow_exception(error);
    return ok ? pixmap : nullptr;
}

}  // namespace vellum
