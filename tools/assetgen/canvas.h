#pragma once

// A floating-point RGBA picture that shapes are composited onto. Shapes are
// given as inside-tests and shaded by functions of the pixel position, which
// keeps each picture's drawing code short and resolution independent.

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

// Straight (not premultiplied) colour, every channel 0..1.
struct Rgba {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

inline Rgba Mix(const Rgba& x, const Rgba& y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

inline Rgba Scaled(const Rgba& c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

using InsideFn = std::function<bool(float x, float y)>;
using ShadeFn = std::function<Rgba(float x, float y)>;

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Shapes drawn from now on use drawing units: the point (x, y) lands on
    // the pixel ((x + originX) * unit, (y + originY) * unit). The default is
    // one unit a pixel with no offset, so a picture drawn for a small canvas
    // can be drawn again, larger or elsewhere, on another one.
    void SetTransform(float unit, float originX, float originY);

    // Composites shade() over the area where inside() holds; edges are
    // anti-aliased by testing samples x samples points per pixel.
    void Fill(const InsideFn& inside, const ShadeFn& shade, int samples = 4);

    // Composites a soft layer whose colour and alpha come from shade() at
    // every pixel centre.
    void Paint(const ShadeFn& shade);

    // Straight colour of one pixel.
    Rgba At(int x, int y) const;

    // Rows of 8-bit straight RGBA. Fully transparent pixels take the colour
    // of their visible neighbours, so filtered scaling shows no dark fringe.
    std::vector<uint8_t> ToRgba8() const;

private:
    void Over(int x, int y, const Rgba& c, float coverage);

    int width_;
    int height_;
    float unit_ = 1.0f, originX_ = 0.0f, originY_ = 0.0f;
    std::vector<Rgba> pixels_;  // premultiplied
};

}  // namespace assetgen
