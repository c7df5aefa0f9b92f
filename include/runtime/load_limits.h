#pragma once
/// \file
/// The limits every picture, font and sound loader works within, so that a
/// file costs no more memory than what it honestly describes: the picture or
/// sample it decodes, within the caps below, plus a decoder's working memory.
/// A picture larger than that working memory is only made for input long
/// enough to hold it.

#pragma GCC visibility push(default)
namespace vellum {

/// Loaders refuse pictures wider or taller than this.
constexpr int MAX_PICTURE_SIDE = 16384;
/// Loaders refuse pictures whose pixels would take more bytes than this.
constexpr long long MAX_PICTURE_BYTES = 256LL << 20;

/// What a third-party decoder (libpng, libjpeg, FreeType, libvorbis) may
/// hold beyond the picture, sample or font file it works on: its tables,
/// row buffers, chunks and codebooks.
constexpr long long MAX_DECODER_WORK_BYTES = 16LL << 20;
/// A progressive JPEG keeps every coefficient (2 bytes a sample) until its
/// last scan; larger stores are refused.
constexpr long long MAX_JPEG_COEFFICIENT_BYTES = MAX_PICTURE_BYTES;
/// The largest font file read into memory.
constexpr int MAX_FONT_FILE_BYTES = 64 << 20;
/// Vorbis codebooks with more entries in use than this are refused:
/// libvorbis sorts them on the stack of the thread that opens the file.
constexpr int MAX_VORBIS_BOOK_ENTRIES = 1 << 16;

/// The largest single block a load asks for: a whole picture and a little
/// more. The fuzz targets take a larger request as a finding.
constexpr long long MAX_LOAD_ALLOCATION_BYTES = MAX_PICTURE_BYTES + MAX_DECODER_WORK_BYTES;
/// The most one load holds at once: a picture, a progressive JPEG's
/// coefficients and a decoder's working memory.
constexpr long long MAX_LOAD_HELD_BYTES = MAX_PICTURE_BYTES + MAX_JPEG_COEFFICIENT_BYTES + MAX_DECODER_WORK_BYTES;

}  // namespace vellum
#pragma GCC visibility pop
