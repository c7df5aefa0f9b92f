#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * static_cast<size_t>(height)) {}

void Canvas::Over(int x, int y, const Rgba& c, float coverage) {
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0.0f) return;
    Rgba& p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    const float keep = 1.0f - a;
    p.r = std::clamp(c.r, 0.0f, 1.0f) * a + p.r * keep;
    p.g = std::clamp(c.g, 0.0f, 1.0f) * a + p.g * keep;
    p.b = std::clamp(c.b, 0.0f, 1.0f) * a + p.b * keep;
    p.a = a + p.a * keep;
}

void Canvas::SetTransform(float unit, float originX, float originY) {
    unit_ = unit;
    originX_ = originX;
    originY_ = originY;
}

void Canvas::Fill(const InsideFn& inside, const ShadeFn& shade, int samples) {
    const float step = 1.0f / static_cast<float>(samples);
    const float total = static_cast<float>(samples * samples);
    const bool plain = unit_ == 1.0f && originX_ == 0.0f && originY_ == 0.0f;
    auto ux = [&](float px) { return plain ? px : px / unit_ - originX_; };
    auto uy = [&](float py) { return plain ? py : py / unit_ - originY_; };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    if (inside(ux(static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * step),
                               uy(static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * step)))
                        ++hits;
            if (hits == 0) continue;
            const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            Over(x, y, shade(ux(cx), uy(cy)), static_cast<float>(hits) / total);
        }
    }
}

void Canvas::Paint(const ShadeFn& shade) {
    const bool plain = unit_ == 1.0f && originX_ == 0.0f && originY_ == 0.0f;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const float cx = static_cast<float>(x) + 0.5f, cy = static_cast<float>(y) + 0.5f;
            Over(x, y, plain ? shade(cx, cy) : shade(cx / unit_ - originX_, cy / unit_ - originY_), 1.0f);
        }
    }
}

Rgba Canvas::At(int x, int y) const {
    const Rgba& p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    if (p.a <= 0.0f) return {};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

std::vector<uint8_t> Canvas::ToRgba8() const {
    const size_t count = pixels_.size();
    std::vector<uint8_t> out(count * 4);
    auto to8 = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgba c = At(x, y);
            uint8_t* o = &out[(static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 4];
            o[0] = to8(c.r);
            o[1] = to8(c.g);
            o[2] = to8(c.b);
            o[3] = to8(c.a);
        }
    }
    // Grow the visible colours outwards into the transparent area, a ring
    // per pass, so bilinear filtering blends edges with their own colour.
    std::vector<uint8_t> known(count);
    for (size_t i = 0; i < count; ++i) known[i] = out[i * 4 + 3] != 0;
    for (int pass = 0; pass < 16; ++pass) {
        std::vector<uint8_t> next = known;
        bool changed = false;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
                if (known[i]) continue;
                int sum[3] = {0, 0, 0}, n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) continue;
                        const size_t j = static_cast<size_t>(ny) * static_cast<size_t>(width_) + static_cast<size_t>(nx);
                        if (!known[j]) continue;
                        for (int k = 0; k < 3; ++k) sum[k] += out[j * 4 + static_cast<size_t>(k)];
                        ++n;
                    }
                }
                if (n == 0) continue;
                for (int k = 0; k < 3; ++k) out[i * 4 + static_cast<size_t>(k)] = static_cast<uint8_t>(sum[k] / n);
                next[i] = 1;
                changed = true;
            }
        }
        known.swap(next);
        if (!changed) break;
    }
    return out;
}

}  // namespace assetgen
