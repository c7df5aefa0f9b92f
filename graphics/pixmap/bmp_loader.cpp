#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <vector>

#include "pixmap/byte_reader.h"
#include "pixmap/picture_input.h"
#include "pixmap/picture_loaders.h"

namespace vellum {

namespace {

constexpr int kRgb = 0;        // uncompressed
constexpr int kBitFields = 3;  // uncompressed with channel masks

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int Le16(const uint8_t* p) { return p[0] | p[1] << 8; }

// One channel of a bit-field pixel: its mask, shift and largest value.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    // False for a mask whose bits are not contiguous.
    bool Set(uint32_t m) {
        mask = m;
        if (m == 0) return true;
        shift = std::countr_zero(m);
        max = m >> shift;
        return (max & (max + 1)) == 0;
    }
    uint8_t Extract(uint32_t v, uint8_t missing) const {
        if (mask == 0) return missing;
        return static_cast<uint8_t>(static_cast<uint64_t>((v & mask) >> shift) * 255 / max);
    }
};

struct BmpInfo {
    long long headerSize = 0;
    long long dataOffset = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bpp = 0;
    int compression = 0;
    long long colours = 0;
    Channel red, green, blue, alpha;
};

// Reads the file and info headers (and the masks after a 40-byte header);
// false for anything this loader does not decode.
bool ReadBmpInfo(TByteReader& in, BmpInfo& info) {
    uint8_t f[18];
    in.Bytes(f, 18);
    if (f[0] != 'B' || f[1] != 'M') return false;
    info.dataOffset = Le32(f + 10);
    info.headerSize = Le32(f + 14);
    if (info.headerSize < 40) return false;  // the old 12-byte header is not supported

    uint8_t h[52] = {};
    in.Bytes(h, 36);
    auto width = static_cast<int32_t>(Le32(h)), height = static_cast<int32_t>(Le32(h + 4));
    info.bpp = Le16(h + 10);
    info.compression = static_cast<int>(Le32(h + 12));
    info.colours = Le32(h + 28);
    if (width < 1 || height == 0 || height == INT_MIN) return false;
    info.width = width;
    info.topDown = height < 0;
    info.height = height < 0 ? -height : height;

    // Masks sit in the larger headers, or right after a 40-byte one.
    long long extra = info.headerSize - 40;
    bool masks = info.compression == kBitFields;
    if (masks && extra == 0) extra = 12, info.headerSize += 12;
    int inHeader = static_cast<int>(std::min<long long>(extra, 16));
    in.Bytes(h + 36, inHeader);
    in.Skip(extra - inHeader);
    if (masks) {
        if (!info.red.Set(Le32(h + 36)) || !info.green.Set(Le32(h + 40)) || !info.blue.Set(Le32(h + 44)))
            return false;
        if (!info.alpha.Set(inHeader >= 16 ? Le32(h + 48) : 0)) return false;
        if (!info.red.mask || !info.green.mask || !info.blue.mask) return false;
    }
    return true;
}

// Decodes one stored row into BGR or BGRA pixels.
void DecodeRow(const BmpInfo& info, const uint8_t* in, const std::vector<uint32_t>& palette, uint8_t* out) {
    int w = info.width;
    auto put = [&](int x, uint32_t bgr) {
        uint8_t* p = out + static_cast<size_t>(x) * 3;
        p[0] = bgr & 255, p[1] = bgr >> 8 & 255, p[2] = bgr >> 16 & 255;
    };
    auto colour = [&](unsigned index) { return index < palette.size() ? palette[index] : 0u; };
    switch (info.bpp) {
        case 1:
            for (int x = 0; x < w; x++) put(x, colour(in[x >> 3] >> (7 - (x & 7)) & 1));
            break;
        case 4:
            for (int x = 0; x < w; x++) put(x, colour(x & 1 ? in[x >> 1] & 15 : in[x >> 1] >> 4));
            break;
        case 8:
            for (int x = 0; x < w; x++) put(x, colour(in[x]));
            break;
        case 24:
            std::memcpy(out, in, static_cast<size_t>(w) * 3);
            break;
        default:  // 32
            if (info.compression == kRgb) {
                std::memcpy(out, in, static_cast<size_t>(w) * 4);
                break;
            }
            for (int x = 0; x < w; x++, in += 4, out += 4) {
                uint32_t v = Le32(in);
                out[0] = info.blue.Extract(v, 0), out[1] = info.green.Extract(v, 0);
                out[2] = info.red.Extract(v, 0), out[3] = info.alpha.Extract(v, 255);
            }
            break;
    }
}

}  // namespace

Ref<TPixmap> TBmpLoader::LoadPixmap(TStream& stream) {
    TByteReader in(stream);
    BmpInfo info;
    if (!ReadBmpInfo(in, info)) return nullptr;
    int bpp = info.bpp;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
    // Run-length and embedded JPEG/PNG data are refused.
    if (info.compression != kRgb && !(info.compression == kBitFields && bpp == 32)) return nullptr;
    if (!PictureSizeAllowed(info.width, info.height, bpp == 32 ? 4 : 3)) return nullptr;

    // The palette follows the header; a pixel can only address 2^bpp entries.
    std::vector<uint32_t> palette;
    long long consumed = 14 + info.headerSize;
    if (bpp <= 8) {
        long long entries = info.colours ? info.colours : 1LL << bpp;
        long long kept = std::min(entries, 1LL << bpp);
        palette.resize(static_cast<size_t>(kept));
        for (auto& entry : palette) {
            uint8_t p[4];
            in.Bytes(p, 4);
            entry = Le32(p) & 0xFFFFFF;
        }
        in.Skip((entries - kept) * 4);
        consumed += entries * 4;
    }
    // The pixels start at the offset the file declares.
    if (info.dataOffset < consumed) return nullptr;
    in.Skip(info.dataOffset - consumed);

    std::vector<uint8_t> row(static_cast<size_t>((static_cast<long long>(info.width) * bpp + 31) / 32 * 4));
    long long pixels = static_cast<long long>(info.width) * info.height * (bpp == 32 ? 4 : 3);
    if (!InputCanHold(stream, pixels, static_cast<long long>(row.size()) * info.height - in.Buffered())) return nullptr;
    auto pixmap = TPixmap::Create(info.width, info.height, bpp == 32 ? FMT_BGRA8888 : FMT_BGR888, 4);
    for (int i = 0; i < info.height; i++) {
        in.Bytes(row.data(), static_cast<int>(row.size()));
        int y = info.topDown ? i : info.height - 1 - i;
        DecodeRow(info, row.data(), palette, pixmap->PixelPtr(0, y));
    }
    return pixmap;
}

}  // namespace vellum
