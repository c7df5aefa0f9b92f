// JPEG decoding through libjpeg. Its errors end in a longjmp (never in
// exit), so the calls that can fail run inside small functions whose frames
// hold nothing with a destructor; stream exceptions are caught where they
// arise and raised again after libjpeg has been released.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <exception>

#include "pixmap/picture_input.h"
#include "pixmap/picture_loaders.h"
#include "runtime/exception.h"
#include "runtime/load_limits.h"
#include "stream/stream.h"

namespace vellum {

namespace {

// Each scan costs a pass over the whole picture. Files with more scans
// than this are refused: no encoder writes them.
constexpr int kMaxScans = 1000;
// Beyond this many scans, a file goes on only while all its passes
// together stay within kMaxScanBlocks blocks (about 20 ms of decoding),
// so a small file cannot make thousands of passes over a large picture.
constexpr int kFreeScans = 64;
constexpr long long kMaxScanBlocks = 4LL << 20;
// What libjpeg may allocate for itself: beyond its working memory only the
// coefficients of a file in several scans, which LoadPixmap checks first.
constexpr long kMaxDecoderMemory = MAX_JPEG_COEFFICIENT_BYTES + MAX_DECODER_WORK_BYTES;

struct JpegError {
    jpeg_error_mgr base;
    jmp_buf jump;
};

struct JpegProgress {
    jpeg_progress_mgr base;
    long long blocks;  // of every component, as the header declares them
};

struct JpegSource {
    jpeg_source_mgr base;
    TStream* stream;
    std::exception_ptr* error;
    JOCTET buffer[4096];
};

// Everything libjpeg works on; plain data, released by TJpegState.
struct JpegDecoder {
    jpeg_decompress_struct cinfo;
    JpegError error;
    JpegSource source;
    JpegProgress progress;
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}
void OnJpegMessage(j_common_ptr) {}

void OnJpegProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    long long scans = d->input_scan_number;
    long long blocks = reinterpret_cast<JpegProgress*>(d->progress)->blocks;
    if (scans > kMaxScans || (scans > kFreeScans && scans * blocks > kMaxScanBlocks)) OnJpegError(cinfo);
}

void InitJpegSource(j_decompress_ptr) {}
void TermJpegSource(j_decompress_ptr) {}

// A stream that ends early counts as a read error, not as a picture
// padded with grey.
boolean FillJpegInput(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<JpegSource*>(cinfo->src);
    bool failed = false;
    try {
        int n = source->stream->Read(source->buffer, sizeof source->buffer);
        if (n <= 0) throw TStreamReadException();
        source->base.next_input_byte = source->buffer;
        source->base.bytes_in_buffer = static_cast<size_t>(n);
    } catch (...) {
        *source->error = std::current_exception();
        failed = true;
    }
    if (failed) OnJpegError(reinterpret_cast<j_common_ptr>(cinfo));
    return TRUE;
}

void SkipJpegInput(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* source = cinfo->src;
    if (count <= 0) return;
    while (static_cast<size_t>(count) > source->bytes_in_buffer) {
        count -= static_cast<long>(source->bytes_in_buffer);
        FillJpegInput(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

// Owns the decoder memory and releases libjpeg's state with it.
class TJpegState {
public:
    TJpegState(TStream& stream, std::exception_ptr& error) {
        std::memset(&d, 0, sizeof d);
        d.cinfo.err = jpeg_std_error(&d.error.base);
        d.error.base.error_exit = OnJpegError;
        d.error.base.output_message = OnJpegMessage;
        d.source.base.init_source = InitJpegSource;
        d.source.base.fill_input_buffer = FillJpegInput;
        d.source.base.skip_input_data = SkipJpegInput;
        d.source.base.resync_to_restart = jpeg_resync_to_restart;
        d.source.base.term_source = TermJpegSource;
        d.source.stream = &stream;
        d.source.error = &error;
        d.progress.base.progress_monitor = OnJpegProgress;
    }
    ~TJpegState() { jpeg_destroy_decompress(&d.cinfo); }
    TJpegState(const TJpegState&) = delete;
    TJpegState& operator=(const TJpegState&) = delete;

    JpegDecoder d;
};

// Creates the decompressor and reads the header. 0 when libjpeg fails.
int ReadJpegHeader(JpegDecoder* d) {
    if (setjmp(d->error.jump)) return 0;
    jpeg_create_decompress(&d->cinfo);
    d->cinfo.src = &d->source.base;
    d->cinfo.progress = &d->progress.base;
    d->cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    return jpeg_read_header(&d->cinfo, TRUE) == JPEG_HEADER_OK;
}

// Decodes every scanline into rows pitch bytes apart. 0 when libjpeg fails
// or the output is not the expected size.
int ReadJpegRows(JpegDecoder* d, JSAMPLE* pixels, int pitch, int components) {
    if (setjmp(d->error.jump)) return 0;
    j_decompress_ptr cinfo = &d->cinfo;
    JDIMENSION width = cinfo->image_width, height = cinfo->image_height;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != width || cinfo->output_height != height || cinfo->output_components != components)
        return 0;
    while (cinfo->output_scanline < height) {
        JSAMPROW row = pixels + static_cast<std::ptrdiff_t>(cinfo->output_scanline) * pitch;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    return 1;
}

// A file in several scans (progressive, or one component a scan) keeps all
// its coefficients, 64 of 2 bytes a block, padded to whole MCUs, until the
// last scan. 0 for a file in one scan, which keeps a few rows.
long long CoefficientBytes(j_decompress_ptr cinfo) {
    if (!jpeg_has_multiple_scans(cinfo)) return 0;
    long long bytes = 0;
    for (int c = 0; c < cinfo->num_components; c++) {
        const jpeg_component_info& comp = cinfo->comp_info[c];
        auto roundUp = [](long long n, long long m) { return (n + m - 1) / m * m; };
        bytes += roundUp(comp.width_in_blocks, comp.h_samp_factor) * roundUp(comp.height_in_blocks, comp.v_samp_factor) *
                 static_cast<long long>(sizeof(JBLOCK));
    }
    return bytes;
}

// Blocks of every component as the header declares them. Whatever the
// file, its first scan spends at least one bit on each.
long long DeclaredBlocks(j_decompress_ptr cinfo) {
    long long blocks = 0;
    for (int c = 0; c < cinfo->num_components; c++)
        blocks += static_cast<long long>(cinfo->comp_info[c].width_in_blocks) * cinfo->comp_info[c].height_in_blocks;
    return blocks;
}

// The declared size and the components' sampling against what the
// decoder would allocate for them and what the rest of the file can hold.
bool DecodingAffordable(j_decompress_ptr cinfo, TStream& stream, int components) {
    if (!PictureSizeAllowed(cinfo->image_width, cinfo->image_height, components)) return false;
    long long coefficients = CoefficientBytes(cinfo);
    if (coefficients > MAX_JPEG_COEFFICIENT_BYTES) return false;
    long long picture = static_cast<long long>(cinfo->image_width) * cinfo->image_height * components;
    // The source has read ahead of the decoder by what it still buffers.
    long long buffered = static_cast<long long>(cinfo->src->bytes_in_buffer);
    return InputCanHold(stream, picture + coefficients, DeclaredBlocks(cinfo) / 8 - buffered);
}

}  // namespace

Ref<TPixmap> TJpegLoader::LoadPixmap(TStream& stream) {
    std::exception_ptr error;
    TJpegState state(stream, error);
    bool ok = ReadJpegHeader(&state.d);
    jpeg_decompress_struct& cinfo = state.d.cinfo;
    int components = ok ? cinfo.num_components : 0;
    if (ok) state.d.progress.blocks = DeclaredBlocks(&cinfo);
    if (ok && (components == 1 || components == 3) && DecodingAffordable(&cinfo, stream, components)) {
        cinfo.out_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
        int format = components == 1 ? FMT_I8 : FMT_RGB888;
        auto pixmap = TPixmap::Create(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height),
                                      format, 4);
        if (ReadJpegRows(&state.d, pixmap->pixels, pixmap->pitch, components)) return pixmap;
    }
    if (error) std::rethrow_exception(error);
    return nullptr;
}

}  // namespace vellum
