#include "picture_test_util.h"

#include <png.h>

#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "stream/bank_functions.h"
#include "stream/ram_stream.h"

namespace vellum::test {

namespace {

void AppendPng(png_structp png, png_bytep data, size_t length) {
    static_cast<Bytes*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void FlushPng(png_structp) {}

int Channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
        default: return 1;
    }
}

// Samples packed as libpng expects: high bits first below 8 bits, big-endian at 16.
std::vector<png_byte> PackRow(const std::vector<int>& samples, int depth) {
    std::vector<png_byte> out((samples.size() * depth + 7) / 8);
    for (size_t i = 0; i < samples.size(); i++) {
        int v = samples[i];
        if (depth == 16) {
            out[2 * i] = static_cast<png_byte>(v >> 8);
            out[2 * i + 1] = static_cast<png_byte>(v);
        } else {
            size_t bit = i * depth;
            out[bit / 8] |= static_cast<png_byte>(v << (8 - depth - bit % 8));
        }
    }
    return out;
}

// The libpng calls, in a frame without destructors because of setjmp.
bool EncodePng(const PngLayout& layout, png_bytepp rows, Bytes* out, bool headerOnly) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendPng, FlushPng);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colorType,
                 layout.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    for (size_t i = 0; i < layout.palette.size(); i++)
        palette[i] = {png_byte(layout.palette[i] >> 16), png_byte(layout.palette[i] >> 8), png_byte(layout.palette[i])};
    if (!layout.palette.empty()) png_set_PLTE(png, info, palette, static_cast<int>(layout.palette.size()));
    png_byte alpha[256];
    for (size_t i = 0; i < layout.paletteAlpha.size(); i++) alpha[i] = layout.paletteAlpha[i];
    png_color_16 grey{};
    grey.gray = static_cast<png_uint_16>(layout.trnsGrey);
    if (!layout.paletteAlpha.empty())
        png_set_tRNS(png, info, alpha, static_cast<int>(layout.paletteAlpha.size()), nullptr);
    else if (layout.trnsGrey >= 0)
        png_set_tRNS(png, info, nullptr, 0, &grey);
    png_write_info(png, info);
    if (!headerOnly) {
        png_write_image(png, rows);
        png_write_end(png, info);
    }
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Bytes WritePng(const PngLayout& layout) {
    std::vector<std::vector<png_byte>> packed;
    std::vector<png_bytep> rows;
    for (const auto& row : layout.rows) packed.push_back(PackRow(row, layout.bitDepth));
    for (auto& row : packed) rows.push_back(row.data());
    EXPECT_EQ(static_cast<int>(rows.size()), layout.height);
    EXPECT_EQ(layout.rows.empty() ? 0 : layout.rows[0].size(), static_cast<size_t>(layout.width * Channels(layout.colorType)));
    Bytes out;
    EXPECT_TRUE(EncodePng(layout, rows.data(), &out, false));
    return out;
}

Bytes WritePngWithoutData(int width, int height, int colorType) {
    PngLayout layout;
    layout.width = width;
    layout.height = height;
    layout.colorType = colorType;
    Bytes out;
    EXPECT_TRUE(EncodePng(layout, nullptr, &out, true));
    out += Bytes("\0\0\0\x64IDAT", 8);  // a data chunk of 100 bytes that never come
    return out;
}

Bytes WriteJpeg(int width, int height, int components, const std::vector<uint8_t>& samples) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int c = 0; c < cinfo.num_components; c++)  // no chroma subsampling
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) + cinfo.next_scanline * width * components;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

namespace {

void Put16(Bytes& b, int v) { b += char(v & 255), b += char(v >> 8 & 255); }
void Put32(Bytes& b, uint32_t v) { Put16(b, int(v & 0xFFFF)), Put16(b, int(v >> 16)); }

}  // namespace

Bytes WriteBmp(const BmpLayout& layout) {
    int w = layout.width, h = layout.height < 0 ? -layout.height : layout.height;
    int rowBytes = (w * layout.bpp + 31) / 32 * 4;
    bool masksAfter = layout.compression == 3 && layout.headerSize == 40;
    int paletteBytes = static_cast<int>(layout.palette.size()) * 4;
    int offset = 14 + layout.headerSize + (masksAfter ? 12 : 0) + paletteBytes + layout.gap;

    Bytes b = "BM";
    Put32(b, offset + rowBytes * h), Put32(b, 0), Put32(b, offset), Put32(b, layout.headerSize);
    Put32(b, w), Put32(b, static_cast<uint32_t>(layout.height)), Put16(b, 1), Put16(b, layout.bpp);
    Put32(b, layout.compression), Put32(b, rowBytes * h), Put32(b, 2835), Put32(b, 2835);
    Put32(b, layout.coloursUsed), Put32(b, 0);
    Bytes extra;
    if (layout.compression == 3 || layout.headerSize > 40)
        for (int i = 0; i < 4; i++) Put32(extra, layout.masks[i]);
    extra.resize(layout.headerSize - 40 + (masksAfter ? 12 : 0), '\0');
    b += extra;
    for (uint32_t c : layout.palette) Put32(b, c);
    b.append(layout.gap, '\x55');
    for (int i = 0; i < h; i++) {
        int y = layout.height < 0 ? i : h - 1 - i;  // bottom-up unless top-down
        Bytes row(rowBytes, '\0');
        for (int x = 0; x < w; x++) {
            uint32_t v = layout.pixels[y * w + x];
            if (layout.bpp == 1) row[x / 8] |= char(v << (7 - x % 8));
            else if (layout.bpp == 4) row[x / 2] |= char(x % 2 ? v : v << 4);
            else if (layout.bpp == 8) row[x] = char(v);
            else if (layout.bpp == 24) row[3 * x] = char(v), row[3 * x + 1] = char(v >> 8), row[3 * x + 2] = char(v >> 16);
            else for (int k = 0; k < 4; k++) row[4 * x + k] = char(v >> (8 * k));
        }
        b += row;
    }
    return b;
}

Bytes TgaHeader(int imageType, int width, int height, int psize, int attbits, int idlen, int colourMapType) {
    Bytes b;
    b += char(idlen), b += char(colourMapType), b += char(imageType);
    b.append(5, '\0');  // colour map fields
    Put16(b, 0), Put16(b, 0), Put16(b, width), Put16(b, height);
    b += char(psize), b += char(attbits);
    return b;
}

Ref<TPixmap> LoadBytes(const Bytes& bytes) {
    auto bank = CreateBank(static_cast<int>(bytes.size()));
    if (!bytes.empty()) std::memcpy(BankBuf(bank), bytes.data(), bytes.size());
    return LoadPixmap(Ref<TObject>(bank));
}

Ref<TPixmap> LoadWith(TPixmapLoader& loader, const Bytes& bytes) {
    Bytes copy = bytes;
    auto stream = CreateRamStream(copy.data(), static_cast<int>(copy.size()), 1, 0);
    return loader.LoadPixmap(*stream);
}

std::vector<int> Pixels(const Ref<TPixmap>& pixmap) {
    std::vector<int> values;
    for (int y = 0; y < pixmap->height; y++)
        for (int x = 0; x < pixmap->width; x++) values.push_back(pixmap->ReadPixel(x, y));
    return values;
}

}  // namespace vellum::test
