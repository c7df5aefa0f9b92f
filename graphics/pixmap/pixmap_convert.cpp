#include "pixmap/pixmap_convert.h"

#include <cstring>

#include "graphics/pixmap_format.h"

namespace vellum {

namespace {

uint8_t Intensity(int r, int g, int b) { return static_cast<uint8_t>((r + g + b) / 3); }

}  // namespace

int UnpackPixel(const uint8_t* p, int format) {
    uint32_t a = 255, r = 0, g = 0, b = 0;
    switch (format) {
        case FMT_I8: r = g = b = p[0]; break;
        case FMT_A8: a = p[0]; r = g = b = 255; break;
        case FMT_BGR888: b = p[0]; g = p[1]; r = p[2]; break;
        case FMT_RGB888: r = p[0]; g = p[1]; b = p[2]; break;
        case FMT_BGRA8888: b = p[0]; g = p[1]; r = p[2]; a = p[3]; break;
        case FMT_RGBA8888: r = p[0]; g = p[1]; b = p[2]; a = p[3]; break;
        default: return 0;
    }
    return static_cast<int>(a << 24 | r << 16 | g << 8 | b);
}

void PackPixel(uint8_t* p, int format, int argb) {
    uint32_t v = static_cast<uint32_t>(argb);
    uint8_t a = v >> 24, r = v >> 16 & 255, g = v >> 8 & 255, b = v & 255;
    switch (format) {
        case FMT_I8: p[0] = Intensity(r, g, b); break;
        case FMT_A8: p[0] = a; break;
        case FMT_BGR888: p[0] = b; p[1] = g; p[2] = r; break;
        case FMT_RGB888: p[0] = r; p[1] = g; p[2] = b; break;
        case FMT_BGRA8888: p[0] = b; p[1] = g; p[2] = r; p[3] = a; break;
        case FMT_RGBA8888: p[0] = r; p[1] = g; p[2] = b; p[3] = a; break;
        default: break;
    }
}

void RowToRgba(const uint8_t* src, int format, uint8_t* rgba, int count) {
    uint8_t* out = rgba;
    switch (format) {
        case FMT_I8:
            for (int i = 0; i < count; i++, out += 4) out[0] = out[1] = out[2] = src[i], out[3] = 255;
            break;
        case FMT_A8:
            for (int i = 0; i < count; i++, out += 4) out[0] = out[1] = out[2] = 255, out[3] = src[i];
            break;
        case FMT_BGR888:
            for (int i = 0; i < count; i++, src += 3, out += 4)
                out[0] = src[2], out[1] = src[1], out[2] = src[0], out[3] = 255;
            break;
        case FMT_RGB888:
            for (int i = 0; i < count; i++, src += 3, out += 4)
                out[0] = src[0], out[1] = src[1], out[2] = src[2], out[3] = 255;
            break;
        case FMT_BGRA8888:
            for (int i = 0; i < count; i++, src += 4, out += 4)
                out[0] = src[2], out[1] = src[1], out[2] = src[0], out[3] = src[3];
            break;
        case FMT_RGBA8888:
            if (count > 0) std::memcpy(rgba, src, static_cast<size_t>(count) * 4);
            break;
        default: break;
    }
}

void RowFromRgba(const uint8_t* rgba, int format, uint8_t* dst, int count) {
    const uint8_t* in = rgba;
    switch (format) {
        case FMT_I8:
            for (int i = 0; i < count; i++, in += 4) dst[i] = Intensity(in[0], in[1], in[2]);
            break;
        case FMT_A8:
            for (int i = 0; i < count; i++, in += 4) dst[i] = in[3];
            break;
        case FMT_BGR888:
            for (int i = 0; i < count; i++, in += 4, dst += 3) dst[0] = in[2], dst[1] = in[1], dst[2] = in[0];
            break;
        case FMT_RGB888:
            for (int i = 0; i < count; i++, in += 4, dst += 3) dst[0] = in[0], dst[1] = in[1], dst[2] = in[2];
            break;
        case FMT_BGRA8888:
            for (int i = 0; i < count; i++, in += 4, dst += 4)
                dst[0] = in[2], dst[1] = in[1], dst[2] = in[0], dst[3] = in[3];
            break;
        case FMT_RGBA8888:
            if (count > 0) std::memcpy(dst, rgba, static_cast<size_t>(count) * 4);
            break;
        default: break;
    }
}

void ConvertRow(const uint8_t* src, int srcFormat, uint8_t* dst, int dstFormat, int count) {
    if (count <= 0) return;
    if (srcFormat == dstFormat) {
        std::memcpy(dst, src, static_cast<size_t>(count) * BytesPerPixel(srcFormat));
        return;
    }
    if (srcFormat == FMT_RGBA8888) return RowFromRgba(src, dstFormat, dst, count);
    if (dstFormat == FMT_RGBA8888) return RowToRgba(src, srcFormat, dst, count);
    // Through RGBA8888 in pieces small enough for the stack.
    constexpr int kChunk = 256;
    uint8_t rgba[kChunk * 4];
    int srcBpp = BytesPerPixel(srcFormat), dstBpp = BytesPerPixel(dstFormat);
    for (int done = 0; done < count; done += kChunk) {
        int n = count - done < kChunk ? count - done : kChunk;
        RowToRgba(src + static_cast<size_t>(done) * srcBpp, srcFormat, rgba, n);
        RowFromRgba(rgba, dstFormat, dst + static_cast<size_t>(done) * dstBpp, n);
    }
}

}  // namespace vellum
