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
        const float dx = (x - 16.0f) / 13.0f, dy = (y - 16.0f) / 14.0f;
        const float d = std::sqrt(dx * dx + dy * dy);
        const float body = Smoothstep(1.0f, 0.2f, d);
        const float foam = Fbm(x / 5.0f, y / 6.0f, 77, 3);
        const float bubbles = Smoothstep(0.4f, 0.7f, Fbm(x / 2.5f, y / 2.5f, 91, 2));
        const float a = body * (0.45f + 0.55f * Smoothstep(0.3f, 0.65f, foam)) * (0.75f + 0.25f * bubbles);
        const Rgba white{1.0f, 1.0f, 1.0f, 1.0f}, shade{0.8f, 0.88f, 0.95f, 1.0f};
        Rgba col = Mix(shade, white, Smoothstep(0.35f, 0.65f, foam));
        col.a = Clamp01(a * 1.05f);
        return col;
    });
    return c;
}

Canvas ExplosionPicture() {
    Canvas c(64, 64);
    // A ball of flame: heat falls from a white-yellow core through orange to
    // a smoky red rim, and noise tears the rim into licks of fire. The edge
    // fades out well inside the picture so rotation never shows its corners.
    c.Paint([](float x, float y) {
        const float r = std::hypot(x - 32.0f, y - 32.0f) / 27.0f;
        const float licks = Fbm(x / 6.0f, y / 6.0f, 555, 4);
        const float billows = Fbm(x / 13.0f + 4.0f, y / 13.0f, 556, 2);
        const float heat = 1.2f * (1.0f - std::pow(r, 1.4f)) + 0.6f * (licks - 0.5f) + 0.35f * (billows - 0.5f);
        Rgba col = Mix(Rgba{0.5f, 0.1f, 0.05f, 1.0f}, Rgba{1.0f, 0.45f, 0.08f, 1.0f}, Smoothstep(0.0f, 0.35f, heat));
        col = Mix(col, Rgba{1.0f, 0.82f, 0.25f, 1.0f}, Smoothstep(0.35f, 0.7f, heat));
        col = Mix(col, Rgba{1.0f, 0.98f, 0.86f, 1.0f}, Smoothstep(0.75f, 1.1f, heat));
        col.a = Smoothstep(0.0f, 0.3f, heat) * Smoothstep(1.15f, 0.9f, r);
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
        Rgba col = Mix(Rgba{0.25f, 1.0f, 0.4f, 1.0f}, Rgba{0.88f, 1.0f, 0.9f, 1.0f}, core);
        col.a = Clamp01(0.55f * glow + 0.85f * core);
        return col;
    });
    return c;
}

}  // namespace assetgen
