#include <cmath>
#include <vector>

#include "pixmap/pixmap_convert.h"
#include "graphics/pixmap_functions.h"
#include "runtime/exception.h"

namespace vellum {

namespace {

// Source samples of one destination row or column: the two neighbours and
// the weight of the second.
struct Sample {
    int first;
    int second;
    float weight;
};

// Pixel-centre alignment: destination i samples the source at
// (i + 0.5) * (source / destination) - 0.5, clamped to the edges with weight 0.
std::vector<Sample> Samples(int sourceSize, int size) {
    std::vector<Sample> samples(size);
    float scale = static_cast<float>(sourceSize) / static_cast<float>(size);
    for (int i = 0; i < size; i++) {
        float s = (static_cast<float>(i) + 0.5f) * scale - 0.5f;
        float f = std::floor(s);
        if (f < 0) {
            samples[i] = {0, 0, 0.0f};
        } else if (f >= static_cast<float>(sourceSize - 1)) {
            samples[i] = {sourceSize - 1, sourceSize - 1, 0.0f};
        } else {
            int k = static_cast<int>(f);
            samples[i] = {k, k + 1, s - f};
        }
    }
    return samples;
}

}  // namespace

Ref<TPixmap> ResizePixmap(const Ref<TPixmap>& pixmap, int width, int height) {
    TPixmap& original = CheckedPixmap(pixmap);
    if (width < 1 || height < 1 || original.width < 1 || original.height < 1)
        throw TRuntimeException(u"Invalid pixmap size");
    Ref<TPixmap> source = original.format == FMT_RGBA8888 ? pixmap : original.Convert(FMT_RGBA8888);
    auto result = TPixmap::Create(width, height, original.format, 4);
    std::vector<Sample> columns = Samples(source->width, width), rows = Samples(source->height, height);
    std::vector<uint8_t> line(static_cast<size_t>(width) * 4);
    for (int i = 0; i < height; i++) {
        const uint8_t* r0 = source->PixelPtr(0, rows[i].first);
        const uint8_t* r1 = source->PixelPtr(0, rows[i].second);
        float ty = rows[i].weight;
        uint8_t* out = line.data();
        for (int j = 0; j < width; j++, out += 4) {
            const uint8_t* p00 = r0 + columns[j].first * 4;
            const uint8_t* p10 = r0 + columns[j].second * 4;
            const uint8_t* p01 = r1 + columns[j].first * 4;
            const uint8_t* p11 = r1 + columns[j].second * 4;
            float tx = columns[j].weight;
            for (int c = 0; c < 4; c++) {
                float a = p00[c] + (p10[c] - p00[c]) * tx;
                float b = p01[c] + (p11[c] - p01[c]) * tx;
                out[c] = static_cast<uint8_t>(a + (b - a) * ty);
            }
        }
        ConvertRow(line.data(), FMT_RGBA8888, result->PixelPtr(0, i), original.format, width);
    }
    return result;
}

}  // namespace vellum
