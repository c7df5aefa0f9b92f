#pragma once
// A drawing context on a real window for pixel tests: draw, then read the
// back buffer with GrabPixmap and compare pixels.

#include <gtest/gtest.h>

#include <cstdlib>

#include "gl/gl_driver.h"
#include "graphics/gldrawing.h"
#include "graphics/image.h"
#include "graphics/image_font.h"
#include "graphics/pixmap.h"

namespace testutil {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class DrawingTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "display tests need an X server";
        vellum::InitGLDrawingModule();
        ASSERT_NE(vellum::OpenGraphics(320, 240, 0, 0, 0), nullptr);
        vellum::Cls();
    }
    void TearDown() override { vellum::CloseGraphics(); }

    // The colour of one back-buffer pixel.
    static Rgb Pixel(int x, int y) {
        auto grabbed = vellum::GrabPixmap(x, y, 1, 1);
        const uint8_t* p = grabbed->PixelPtr(0, 0);
        return {p[0], p[1], p[2]};
    }
    static bool Lit(int x, int y) { return !(Pixel(x, y) == Rgb{0, 0, 0}); }
    static bool Near(const Rgb& a, const Rgb& b, int tolerance = 2) {
        return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
    }
    // An image filled with one colour per quadrant.
    static vellum::Ref<vellum::TImage> QuadrantImage(int size, const uint32_t colors[4], int flags = 0) {
        auto image = vellum::CreateImage(size, size, 1, flags);
        auto pixmap = vellum::LockImage(image);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixmap->WritePixel(x, y, static_cast<int>(colors[(y >= size / 2) * 2 + (x >= size / 2)]));
        return image;
    }
};

}  // namespace testutil
