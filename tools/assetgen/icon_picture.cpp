#include <cmath>

#include "noise.h"
#include "pictures.h"
#include "shapes.h"

namespace assetgen {

Canvas IconPicture(int size) {
    Canvas c(size, size);
    const float unit = static_cast<float>(size) / 64.0f;
    c.SetTransform(unit, 0.0f, 0.0f);

    // A rounded tile of the game's water (50, 50, 150), lighter to the upper
    // left, with soft swell lines running across it.
    const auto tile = [](float x, float y) { return InRoundedRect(x, y, 2.0f, 2.0f, 62.0f, 62.0f, 12.0f); };
    c.Fill([&](float x, float y) { return InRoundedRect(x, y, 1.4f, 1.4f, 62.6f, 62.6f, 12.6f); },
           [](float, float) { return Rgba{0.05f, 0.05f, 0.2f, 0.8f}; });
    c.Fill(tile, [](float x, float y) {
        const float light = 1.2f - 0.45f * (x + y) / 128.0f;
        const float swell = 0.5f + 0.5f * std::sin(y * 0.55f + 1.3f * std::sin(x * 0.18f));
        const float ripple = Fbm(x / 6.0f, y / 3.0f, 23, 2);
        Rgba water = Scaled(Rgba{0.2f, 0.2f, 0.59f, 1.0f}, light);
        return Mix(water, Rgba{0.42f, 0.5f, 0.85f, 1.0f}, 0.28f * Smoothstep(0.75f, 1.0f, swell) * ripple * 1.6f);
    });

    // The wake: two foam trails spreading back from the stern.
    c.Paint([&](float x, float y) {
        if (!tile(x, y) || y < 40.0f) return Rgba{};
        const float spread = (y - 40.0f) * 0.45f;
        const float d = std::min(std::fabs(x - (30.0f - spread)), std::fabs(x - (34.0f + spread)));
        const float foam = Fbm(x / 2.5f, y / 2.5f, 57, 2);
        const float a = Smoothstep(3.5f, 0.5f, d) * Smoothstep(64.0f, 44.0f, y) * (0.55f + 0.45f * foam);
        return Rgba{0.95f, 0.97f, 1.0f, Clamp01(a * 0.9f)};
    });

    // The boat, bow up, 44 units long, a little left of the middle.
    const float boatUnit = unit * 44.0f / 64.0f;
    c.SetTransform(boatUnit, 30.0f * unit / boatUnit - 16.0f, 32.0f * unit / boatUnit - 32.0f);
    DrawBoat(c);

    // A gem to collect, upper right.
    const float gemUnit = unit * 16.0f / 32.0f;
    c.SetTransform(gemUnit, 50.0f * unit / gemUnit - 16.0f, 14.0f * unit / gemUnit - 16.0f);
    DrawGem(c);
    return c;
}

}  // namespace assetgen
