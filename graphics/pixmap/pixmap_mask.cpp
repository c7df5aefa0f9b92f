#include <vector>

#include "graphics/pixmap_functions.h"

namespace vellum {

Ref<TPixmap> MaskPixmap(const Ref<TPixmap>& pixmap, int red, int green, int blue) {
    auto source = CheckedPixmap(pixmap).Convert(FMT_RGBA8888);
    int w = source->width, h = source->height;
    auto result = TPixmap::Create(w, h, FMT_RGBA8888, 4);
    auto isMask = [&](const uint8_t* p) { return p[0] == red && p[1] == green && p[2] == blue; };
    for (int y = 0; y < h; y++) {
        const uint8_t* in = source->PixelPtr(0, y);
        uint8_t* out = result->PixelPtr(0, y);
        for (int x = 0; x < w; x++, in += 4, out += 4) {
            if (!isMask(in)) {
                out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 255;
                continue;
            }
            // A transparent pixel takes its neighbours' colour, so that
            // filtering at the edge never blends in the mask colour.
            int sum[3] = {0, 0, 0}, count = 0;
            for (int ny = y - 1; ny <= y + 1; ny++) {
                for (int nx = x - 1; nx <= x + 1; nx++) {
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const uint8_t* n = source->PixelPtr(nx, ny);
                    if (isMask(n)) continue;
                    sum[0] += n[0], sum[1] += n[1], sum[2] += n[2];
                    count++;
                }
            }
            for (int c = 0; c < 3; c++) out[c] = static_cast<uint8_t>(count ? sum[c] / count : 0);
            out[3] = 0;
        }
    }
    return result;
}

}  // namespace vellum
