#include <cmath>

#include "pictures.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr float kCentre = 16.0f;
constexpr float kBow = 1.0f;     // tip of the bow
constexpr float kBeam = 28.0f;   // where the hull reaches full width
constexpr float kStern = 62.5f;  // transom
constexpr float kHalfWidth = 14.6f;

// Half the hull's width at height y, shrunk by `inset` all round: a pointed
// bow that widens into straight sides and a transom with rounded corners.
float HullHalfWidth(float y, float inset) {
    if (y < kBow + inset * 1.8f || y > kStern - inset) return -1.0f;
    float w;
    if (y < kBeam) {
        const float u = (y - kBow) / (kBeam - kBow);
        w = kHalfWidth * std::pow(std::sin(u * 1.5707963f), 1.3f);
    } else {
        w = kHalfWidth - 0.9f * (y - kBeam) / (kStern - kBeam);  // slight taper aft
    }
    const float r = 3.5f;
    const float bottom = kStern - inset;
    if (y > bottom - r) {
        const float dy = y - (bottom - r);
        w = w - r + std::sqrt(std::max(0.0f, r * r - dy * dy));
    }
    return w - inset;
}

bool InHull(float x, float y, float inset) {
    const float w = HullHalfWidth(y, inset);
    return w > 0.0f && std::fabs(x - kCentre) <= w;
}

}  // namespace

void DrawBoat(Canvas& c) {
    const Rgba outline{0.07f, 0.09f, 0.16f, 0.85f};
    // A dark line round the hull keeps it readable on any water.
    c.Fill([](float x, float y) { return InHull(x, y, -0.9f); }, [&](float, float) { return outline; });

    // Topsides: red, lit from the upper left.
    c.Fill([](float x, float y) { return InHull(x, y, 0.0f); },
           [](float x, float y) {
               const float light = 0.85f + 0.25f * (kCentre - x) / kHalfWidth - 0.1f * y / 64.0f;
               return Scaled(Rgba{0.86f, 0.2f, 0.16f, 1.0f}, light);
           });

    // Deck: off-white, with a crease down the foredeck that catches the light
    // on one side.
    c.Fill([](float x, float y) { return InHull(x, y, 2.0f); },
           [](float x, float y) {
               float light = 1.0f - 0.12f * y / 64.0f;
               if (y < 30.0f) light *= x < kCentre ? 1.04f : 0.88f;
               const float edge = HullHalfWidth(y, 2.0f) - std::fabs(x - kCentre);
               light *= 0.86f + 0.14f * Smoothstep(0.0f, 2.0f, edge);
               return Scaled(Rgba{0.96f, 0.95f, 0.9f, 1.0f}, light);
           });

    // Wooden cockpit floor behind the cabin, planks running fore and aft.
    c.Fill([](float x, float y) { return InHull(x, y, 3.5f) && y > 41.0f; },
           [](float x, float y) {
               const float plank = std::fmod(x + 0.5f, 3.0f) < 0.9f ? 0.78f : 1.0f;
               const float grain = 0.94f + 0.06f * std::sin(y * 1.7f + x * 3.1f);
               return Scaled(Rgba{0.74f, 0.52f, 0.3f, 1.0f}, plank * grain * (1.02f - 0.15f * (y - 41.0f) / 20.0f));
           });

    // Cabin roof, a rounded block amidships with its own soft shadow.
    c.Fill([](float x, float y) { return InRoundedRect(x, y, 8.5f, 23.5f, 24.5f, 42.5f, 3.5f); },
           [](float, float) { return Rgba{0.0f, 0.0f, 0.0f, 0.25f}; });
    c.Fill([](float x, float y) { return InRoundedRect(x, y, 7.5f, 21.5f, 23.5f, 41.0f, 3.5f); },
           [](float x, float y) {
               const float light = 1.02f - 0.16f * (x - 7.5f) / 16.0f - 0.08f * (y - 21.5f) / 20.0f;
               return Scaled(Rgba{0.93f, 0.94f, 0.96f, 1.0f}, light);
           });
    // Windscreen wrapping round the front of the cabin.
    c.Fill(
        [](float x, float y) {
            if (!InRoundedRect(x, y, 7.5f, 21.5f, 23.5f, 41.0f, 3.5f)) return false;
            const float front = 22.0f + 0.04f * (x - 15.5f) * (x - 15.5f);
            return y >= front && y <= front + 5.0f;
        },
        [](float x, float y) {
            const float shine = Smoothstep(1.2f, 0.0f, std::fabs((x - 10.0f) + (y - 24.0f) * 0.9f));
            const Rgba glass{0.12f, 0.28f, 0.5f, 1.0f};
            return Mix(glass, Rgba{0.75f, 0.9f, 1.0f, 1.0f}, 0.75f * shine);
        });
    // Roof hatch.
    c.Fill([](float x, float y) { return InRoundedRect(x, y, 12.0f, 31.0f, 19.0f, 37.0f, 1.2f); },
           [](float, float y) { return Scaled(Rgba{0.78f, 0.8f, 0.84f, 1.0f}, 1.0f - 0.1f * (y - 31.0f) / 6.0f); });

    // Red stripe over the bow and a navigation light at its tip.
    c.Fill([](float x, float y) { return y > 9.0f && y < 11.5f && InHull(x, y, 2.0f); },
           [](float x, float) { return Scaled(Rgba{0.86f, 0.2f, 0.16f, 1.0f}, x < kCentre ? 1.0f : 0.85f); });
    c.Paint([](float x, float y) {
        const float d = std::hypot(x - kCentre, y - 5.5f);
        return Rgba{1.0f, 1.0f, 0.85f, 0.9f * Smoothstep(1.6f, 0.4f, d)};
    });

    // Outboard motor on the transom.
    c.Fill([](float x, float y) { return InRoundedRect(x, y, 12.0f, 56.5f, 20.0f, 63.6f, 1.8f); },
           [](float x, float) {
               return Scaled(Rgba{0.22f, 0.24f, 0.28f, 1.0f}, 1.15f - 0.35f * (x - 12.0f) / 8.0f);
           });
    c.Fill([](float x, float y) { return InRoundedRect(x, y, 13.2f, 57.5f, 15.0f, 62.5f, 0.8f); },
           [](float, float) { return Rgba{0.55f, 0.58f, 0.64f, 0.9f}; });
}

Canvas BoatPicture() {
    Canvas c(32, 64);
    DrawBoat(c);
    return c;
}

}  // namespace assetgen
