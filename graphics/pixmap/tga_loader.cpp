#include <vector>

#include "pixmap/byte_reader.h"
#include "pixmap/picture_input.h"
#include "pixmap/picture_loaders.h"
#include "pixmap/pixmap_convert.h"

namespace vellum {

namespace {

constexpr int kMaxTgaSide = 4096;

// One stored pixel of psize bits as RGBA bytes. In 16-bit pixels a set
// bit 15 marks the pixel transparent.
void DecodeTgaPixel(const uint8_t* p, int psize, uint8_t* rgba) {
    if (psize == 15 || psize == 16) {
        int v = p[0] | p[1] << 8;
        rgba[0] = static_cast<uint8_t>(v >> 7 & 0xF8);
        rgba[1] = static_cast<uint8_t>(v >> 2 & 0xF8);
        rgba[2] = static_cast<uint8_t>(v << 3 & 0xF8);
        rgba[3] = psize == 16 && (v & 0x8000) ? 0 : 255;
    } else {
        rgba[0] = p[2], rgba[1] = p[1], rgba[2] = p[0];
        rgba[3] = psize == 32 ? p[3] : 255;
    }
}

// Run-length packets: a header byte n with bit 7 set repeats one pixel
// n - 127 times, otherwise n + 1 raw pixels follow. A packet that runs past
// the end of a row continues on the next row.
class TRunLengthDecoder {
public:
    TRunLengthDecoder(TByteReader& in, int psize) : _in(in), _psize(psize), _bytes((psize + 7) / 8) {}

    void NextPixel(uint8_t* rgba) {
        if (_left == 0) {
            int n = _in.Byte();
            _repeat = (n & 0x80) != 0;
            _left = (n & 0x7F) + 1;
            if (_repeat) ReadPixel(_value);
        }
        _left--;
        if (_repeat) {
            for (int c = 0; c < 4; c++) rgba[c] = _value[c];
        } else {
            ReadPixel(rgba);
        }
    }

private:
    void ReadPixel(uint8_t* rgba) {
        uint8_t raw[4];
        _in.Bytes(raw, _bytes);
        DecodeTgaPixel(raw, _psize, rgba);
    }

    TByteReader& _in;
    int _psize;
    int _bytes;
    int _left = 0;
    bool _repeat = false;
    uint8_t _value[4] = {};
};

}  // namespace

Ref<TPixmap> TTgaLoader::LoadPixmap(TStream& stream) {
    TByteReader in(stream);
    uint8_t h[18];
    if (in.BytesUpTo(h, 18) < 18) return nullptr;
    int idlen = h[0], colourMapType = h[1], imageType = h[2];
    int width = h[12] | h[13] << 8, height = h[14] | h[15] << 8;
    int psize = h[16], attbits = h[17];
    if (colourMapType != 0 || (imageType != 2 && imageType != 10)) return nullptr;
    if (psize != 15 && psize != 16 && psize != 24 && psize != 32) return nullptr;
    if (width < 1 || height < 1 || width > kMaxTgaSide || height > kMaxTgaSide) return nullptr;

    int format = psize == 16 || psize == 32 ? FMT_RGBA8888 : FMT_RGB888;
    in.Skip(idlen);
    // Run-length rows take at least one packet per 128 pixels.
    int bytes = (psize + 7) / 8;
    long long rowInput = imageType == 2 ? static_cast<long long>(width) * bytes : (width + 127) / 128 * (1 + bytes);
    if (!InputCanHold(stream, static_cast<long long>(width) * height * BytesPerPixel(format),
                      rowInput * height - in.Buffered()))
        return nullptr;
    auto pixmap = TPixmap::Create(width, height, format, 4);

    // Rows are stored from the bottom unless the origin bit says top; pixels
    // from the left unless the right-to-left bit is set.
    bool topDown = (attbits & 0x20) != 0, rightToLeft = (attbits & 0x10) != 0;
    std::vector<uint8_t> raw(static_cast<size_t>(width) * bytes), rgba(static_cast<size_t>(width) * 4);
    TRunLengthDecoder packets(in, psize);
    for (int row = 0; row < height; row++) {
        if (imageType == 2) in.Bytes(raw.data(), static_cast<int>(raw.size()));
        for (int i = 0; i < width; i++) {
            uint8_t* out = rgba.data() + static_cast<size_t>(rightToLeft ? width - 1 - i : i) * 4;
            if (imageType == 2) {
                DecodeTgaPixel(raw.data() + static_cast<size_t>(i) * bytes, psize, out);
            } else {
                packets.NextPixel(out);
            }
        }
        int y = topDown ? row : height - 1 - row;
        RowFromRgba(rgba.data(), format, pixmap->PixelPtr(0, y), width);
    }
    return pixmap;
}

}  // namespace vellum
