#include <cmath>
#include <vector>

#include "pictures.h"
#include "shapes.h"

namespace assetgen {

namespace {

// The classic cut seen from the side: a flat table, a crown widening to the
// girdle, and a pavilion narrowing to the point.
constexpr float kTableY = 6.0f, kGirdleY = 12.5f, kPointY = 29.5f;
const float kTable[4] = {9.0f, 13.7f, 18.3f, 23.0f};
const float kGirdle[5] = {2.5f, 9.2f, 16.0f, 22.8f, 29.5f};

bool InTriangle(Point a, Point b, Point c, float x, float y) {
    auto side = [&](Point p, Point q) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
    const float d1 = side(a, b), d2 = side(b, c), d3 = side(c, a);
    const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
    return !(neg && pos);
}

std::vector<Point> Outline() {
    return {{kTable[0], kTableY}, {kTable[3], kTableY}, {kGirdle[4], kGirdleY}, {16.0f, kPointY}, {kGirdle[0], kGirdleY}};
}

}  // namespace

void DrawGem(Canvas& c) {
    const Rgba deep{0.02f, 0.42f, 0.2f, 1.0f}, mid{0.1f, 0.78f, 0.38f, 1.0f}, bright{0.55f, 1.0f, 0.62f, 1.0f};
    const auto outline = Outline();

    // Dark edge, then the stone's body colour under the facets.
    c.Fill([&](float x, float y) {
        for (float dy = -0.8f; dy <= 0.81f; dy += 0.8f)
            for (float dx = -0.8f; dx <= 0.81f; dx += 0.8f)
                if (InPolygon(outline, x + dx, y + dy)) return true;
        return false;
    }, [](float, float) { return Rgba{0.01f, 0.16f, 0.08f, 0.9f}; });
    c.Fill([&](float x, float y) { return InPolygon(outline, x, y); }, [&](float, float) { return mid; });

    // Crown: a zigzag of triangles between table and girdle, each tilted to
    // the light by a different amount.
    std::vector<Point> zig;
    for (int i = 0; i < 4; ++i) {
        zig.push_back({kGirdle[i], kGirdleY});
        zig.push_back({kTable[i], kTableY});
    }
    zig.push_back({kGirdle[4], kGirdleY});
    const float crownLight[7] = {0.95f, 1.25f, 0.8f, 1.15f, 0.7f, 0.9f, 0.6f};
    for (size_t i = 0; i + 2 < zig.size(); ++i) {
        const Point a = zig[i], b = zig[i + 1], d = zig[i + 2];
        const float k = crownLight[i];
        c.Fill([=](float x, float y) { return InTriangle(a, b, d, x, y); },
               [=](float, float y) {
                   const Rgba base = k > 1.0f ? Mix(mid, bright, k - 1.0f + 0.3f) : Mix(deep, mid, k);
                   return Scaled(base, 1.05f - 0.1f * (y - kTableY) / (kGirdleY - kTableY));
               });
    }
    // Pavilion: long facets meeting at the point, darker, lit from the left.
    const float pavilionLight[4] = {0.85f, 0.65f, 0.45f, 0.3f};
    for (int i = 0; i < 4; ++i) {
        const Point a{kGirdle[i], kGirdleY}, b{kGirdle[i + 1], kGirdleY}, p{16.0f, kPointY};
        const float k = pavilionLight[i];
        c.Fill([=](float x, float y) { return InTriangle(a, b, p, x, y); },
               [=](float, float y) {
                   const float glow = Smoothstep(kPointY, kGirdleY, y);
                   return Mix(Mix(deep, mid, k), bright, 0.25f * glow * k);
               });
    }
    // Glints along the girdle and the table edge.
    c.Paint([](float x, float y) {
        const float girdle = Smoothstep(0.9f, 0.0f, std::fabs(y - kGirdleY)) * Smoothstep(3.0f, 12.0f, x) *
                             Smoothstep(29.0f, 20.0f, x);
        const float table = Smoothstep(0.8f, 0.0f, std::fabs(y - kTableY - 0.4f)) * Smoothstep(9.0f, 12.0f, x) *
                            Smoothstep(23.0f, 19.0f, x);
        return Rgba{0.85f, 1.0f, 0.9f, 0.55f * girdle + 0.7f * table};
    });
    // A four-pointed sparkle on the upper left.
    c.Paint([](float x, float y) {
        const float dx = std::fabs(x - 10.5f), dy = std::fabs(y - 9.5f);
        const float star = std::max(Smoothstep(0.9f, 0.0f, dy) * Smoothstep(5.0f, 0.0f, dx),
                                    Smoothstep(0.9f, 0.0f, dx) * Smoothstep(5.0f, 0.0f, dy));
        const float core = Smoothstep(2.2f, 0.0f, std::hypot(dx, dy));
        return Rgba{1.0f, 1.0f, 1.0f, std::min(1.0f, star + core)};
    });
}

Canvas GemPicture() {
    Canvas c(32, 32);
    DrawGem(c);
    return c;
}

}  // namespace assetgen
