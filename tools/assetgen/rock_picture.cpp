#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr float kCx = 32.0f, kCy = 32.5f;
constexpr uint32_t kSeed = 1234;

// Radius of the boulder's outline in direction a: a lumpy circle.
float OutlineRadius(float a) {
    return 27.0f * (1.0f + 0.07f * std::sin(2.0f * a + 0.6f) + 0.05f * std::sin(3.0f * a + 2.1f) +
                    0.03f * std::sin(5.0f * a + 4.0f) + 0.015f * std::sin(9.0f * a + 1.0f));
}

// 0 outside, rising to 1 at the centre: the boulder's rounded top, with
// smaller lumps on its surface.
float Height(float x, float y) {
    const float dx = x - kCx, dy = y - kCy;
    const float r = OutlineRadius(std::atan2(dy, dx));
    const float d = std::sqrt(dx * dx + dy * dy) / r;
    if (d >= 1.0f) return 0.0f;
    const float dome = std::sqrt(1.0f - d * d);
    return dome * (0.92f + 0.14f * Fbm(x / 9.0f, y / 9.0f, kSeed, 3));
}

struct Facet {
    Point at;
    float nx, ny;  // tilt of the flat face
};

// Slope of the surface at a point, as the x and y parts of its normal.
void SurfaceSlope(float x, float y, float& nx, float& ny) {
    const float e = 0.6f;
    nx = -(Height(x + e, y) - Height(x - e, y)) / (2.0f * e) * 18.0f;
    ny = -(Height(x, y + e) - Height(x, y - e)) / (2.0f * e) * 18.0f;
}

}  // namespace

Canvas RockPicture() {
    Canvas c(64, 64);
    // Flat faces chipped into the dome: each pixel takes part of the slope
    // of the nearest chip centre, which gives the stone its angular look.
    std::vector<Facet> facets;
    Rng rng(kSeed);
    for (int i = 0; i < 24; ++i) {
        const float a = rng.Range(0.0f, 6.2831853f), r = std::sqrt(rng.Unit()) * 25.0f;
        Facet f{{kCx + r * std::cos(a), kCy + r * std::sin(a)}, 0.0f, 0.0f};
        SurfaceSlope(f.at.x, f.at.y, f.nx, f.ny);
        f.nx += rng.Range(-0.15f, 0.15f);
        f.ny += rng.Range(-0.15f, 0.15f);
        facets.push_back(f);
    }
    auto inside = [](float x, float y) {
        const float dx = x - kCx, dy = y - kCy;
        return dx * dx + dy * dy < OutlineRadius(std::atan2(dy, dx)) * OutlineRadius(std::atan2(dy, dx));
    };

    // Soft contact shadow and a thin dark rim under the stone.
    c.Paint([](float x, float y) {
        const float dx = x - kCx - 1.5f, dy = y - kCy - 2.0f;
        const float d = std::sqrt(dx * dx + dy * dy) / (OutlineRadius(std::atan2(dy, dx)) + 1.5f);
        return Rgba{0.05f, 0.06f, 0.12f, 0.5f * Smoothstep(1.12f, 0.9f, d)};
    });

    c.Fill(inside, [&](float x, float y) {
        float nx, ny;
        SurfaceSlope(x, y, nx, ny);
        const Facet* near = &facets[0];
        float best = 1e9f;
        for (const auto& f : facets) {
            const float d = (f.at.x - x) * (f.at.x - x) + (f.at.y - y) * (f.at.y - y);
            if (d < best) {
                best = d;
                near = &f;
            }
        }
        nx = 0.4f * nx + 0.6f * near->nx;
        ny = 0.4f * ny + 0.6f * near->ny;
        const float nz = 1.0f;
        const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
        // Light from the upper left, a little above.
        const float lx = -0.55f, ly = -0.6f, lz = 0.58f;
        const float diffuse = std::max(0.0f, (nx * lx + ny * ly + nz * lz) / len);
        const float hx = lx, hy = ly, hz = lz + 1.0f;  // half vector towards a viewer straight above
        const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
        const float gloss = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / (len * hl)), 24.0f);

        // Warm grey, drifting a little towards brown in places.
        const float patch = Fbm(x / 12.0f, y / 12.0f, kSeed + 7, 3);
        const float grain = Fbm(x / 2.5f, y / 2.5f, kSeed + 9, 2);
        Rgba base = Mix(Rgba{0.62f, 0.6f, 0.56f, 1.0f}, Rgba{0.6f, 0.5f, 0.4f, 1.0f}, Smoothstep(0.45f, 0.75f, patch));
        base = Scaled(base, 0.95f + 0.1f * grain);

        // A few hairline cracks where a ridged noise comes close to its middle.
        const float crack = std::fabs(Fbm(x / 16.0f + 3.0f, y / 16.0f, kSeed + 11, 2) - 0.5f);
        const float crackShade = 1.0f - 0.3f * Smoothstep(0.014f, 0.0f, crack);

        // Darker towards the outline, where the stone curves away.
        const float dx = x - kCx, dy = y - kCy;
        const float d = std::sqrt(dx * dx + dy * dy) / OutlineRadius(std::atan2(dy, dx));
        const float edge = 1.0f - 0.35f * Smoothstep(0.78f, 1.0f, d);

        const float light = (0.36f + 0.9f * diffuse) * crackShade * edge;
        Rgba col = Scaled(base, light);
        col = Mix(col, Rgba{1.0f, 1.0f, 0.95f, 1.0f}, 0.35f * gloss);
        col.a = 1.0f;
        return col;
    });
    return c;
}

}  // namespace assetgen
