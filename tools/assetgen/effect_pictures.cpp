#include <cmath>

#include "noise.h"
#include "pictures.h"
#include "shapes.h"

namespace assetgen {

namespace {

// A ring of radius r: a sharp core of width `core` inside a wider glow.
float RingAlpha(float x, float y, float cx, float cy, float r, float core, float glow) {
    const float d = std::fabs(std::hypot(x - cx, y - cy) - r);
    return std::exp(-d * d / (2.0f * core * core)) * 0.9f + std::exp(-d * d / (2.0f * glow * glow)) * 0.3f;
}

}  // namespace

Canvas WakePicture() {
    Canvas c(32, 32);
    // Foam: a soft puff stretched along the direction of travel, broken up by
    // noise into bubbles and streaks, white with a faint blue in the gaps.
    c.Paint([](float x, float y) {
        const float dx = (x - 16.0f) / 12.5f, dy = (y - 16.0f) / 14.5f;
        const float d = std::sqrt(dx * dx + dy * dy);
        const float body = Smoothstep(1.0f, 0.25f, d);
        const float foam = Fbm(x / 4.0f, y / 6.0f, 77, 3);
        const float bubbles = Smoothstep(0.45f, 0.75f, Fbm(x / 2.2f, y / 2.2f, 91, 2));
        const float a = body * (0.35f + 0.65f * Smoothstep(0.3f, 0.7f, foam)) * (0.8f + 0.2f * bubbles);
        const Rgba white{1.0f, 1.0f, 1.0f, 1.0f}, shade{0.8f, 0.88f, 0.95f, 1.0f};
        Rgba col = Mix(shade, white, Smoothstep(0.35f, 0.65f, foam));
        col.a = Clamp01(a * 1.05f);
        return col;
    });
    return c;
}

Canvas ExplosionPicture() {
    Canvas c(64, 64);
    // Several overlapping puffs of flame; heat falls from a white-yellow core
    // through orange to a smoky red rim, with ragged edges.
    const Point puffs[6] = {{32, 32}, {24, 27}, {40, 26}, {38, 40}, {24, 39}, {32, 21}};
    const float radii[6] = {20.0f, 12.0f, 12.5f, 12.0f, 11.5f, 10.0f};
    c.Paint([&](float x, float y) {
        float heat = 0.0f;
        for (int i = 0; i < 6; ++i) {
            const float d = std::hypot(x - puffs[i].x, y - puffs[i].y) / radii[i];
            heat = std::max(heat, 1.0f - d);
        }
        const float turbulence = Fbm(x / 7.0f, y / 7.0f, 555, 4);
        heat += 0.35f * (turbulence - 0.5f);
        const float core = Smoothstep(0.35f, 0.9f, heat);
        const float alpha = Smoothstep(-0.05f, 0.3f, heat);
        Rgba col;
        if (heat < 0.3f)
            col = Mix(Rgba{0.55f, 0.12f, 0.04f, 1.0f}, Rgba{1.0f, 0.42f, 0.06f, 1.0f}, Smoothstep(0.0f, 0.3f, heat));
        else
            col = Mix(Rgba{1.0f, 0.42f, 0.06f, 1.0f}, Rgba{1.0f, 0.86f, 0.3f, 1.0f}, Smoothstep(0.3f, 0.6f, heat));
        col = Mix(col, Rgba{1.0f, 0.98f, 0.85f, 1.0f}, Smoothstep(0.6f, 1.0f, heat));
        col.a = alpha * (0.75f + 0.25f * core);
        return col;
    });
    return c;
}

Canvas RingPicture() {
    Canvas c(128, 128);
    c.Paint([](float x, float y) {
        return Rgba{1.0f, 1.0f, 1.0f, Clamp01(RingAlpha(x, y, 64.0f, 64.0f, 56.0f, 1.6f, 4.5f))};
    });
    return c;
}

Canvas GemRingPicture() {
    Canvas c(128, 128);
    // Green glow outside, whitening towards the core line.
    c.Paint([](float x, float y) {
        const float d = std::fabs(std::hypot(x - 64.0f, y - 64.0f) - 55.0f);
        const float glow = std::exp(-d * d / (2.0f * 5.5f * 5.5f));
        const float core = std::exp(-d * d / (2.0f * 1.7f * 1.7f));
        Rgba col = Mix(Rgba{0.2f, 0.95f, 0.55f, 1.0f}, Rgba{0.9f, 1.0f, 0.92f, 1.0f}, core);
        col.a = Clamp01(0.55f * glow + 0.85f * core);
        return col;
    });
    return c;
}

}  // namespace assetgen
