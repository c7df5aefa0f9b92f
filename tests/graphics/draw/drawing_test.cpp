#include <GL/gl.h>

#include "drawing_test_util.h"

using namespace vellum;
using testutil::DrawingTest;
using testutil::Rgb;

TEST_F(DrawingTest, AFreshContextDrawsOpaqueWhiteOnBlack) {
    int r, g, b, x, y, w, h;
    GetColor(r, g, b);
    EXPECT_EQ(Rgb({r, g, b}), Rgb({255, 255, 255}));
    GetClsColor(r, g, b);
    EXPECT_EQ(Rgb({r, g, b}), Rgb({0, 0, 0}));
    EXPECT_EQ(GetBlend(), BLEND_MASK);
    EXPECT_EQ(GetAlpha(), 1.0f);
    GetViewport(x, y, w, h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_NE(GetImageFont(), nullptr);
    DrawRect(10, 10, 5, 5);
    EXPECT_EQ(Pixel(12, 12), Rgb({255, 255, 255}));
    EXPECT_EQ(Pixel(16, 12), Rgb({0, 0, 0}));
}

TEST_F(DrawingTest, TheHandleShiftsRectanglesAndReadsBack) {
    SetHandle(10, 5);
    float hx, hy;
    GetHandle(hx, hy);
    EXPECT_EQ(hx, 10.0f);
    EXPECT_EQ(hy, 5.0f);
    DrawRect(100, 100, 20, 20);  // covers 90..110 x 95..115
    EXPECT_TRUE(Lit(90, 95));
    EXPECT_TRUE(Lit(109, 114));
    EXPECT_FALSE(Lit(110, 114));
    EXPECT_FALSE(Lit(109, 115));
    EXPECT_FALSE(Lit(89, 95));
}

TEST_F(DrawingTest, RotationAndScaleTurnAboutThePositionPoint) {
    SetRotation(90);
    DrawLine(50, 50, 60, 50, 0);  // turned clockwise: now runs down from (50, 50)
    EXPECT_TRUE(Lit(50, 55));
    EXPECT_FALSE(Lit(55, 50));
    SetRotationScale(0, 2, 2);
    DrawRect(100, 100, 10, 10);
    EXPECT_TRUE(Lit(100, 100));
    EXPECT_TRUE(Lit(119, 119));
    EXPECT_FALSE(Lit(120, 119));
    EXPECT_FALSE(Lit(99, 100));
}

TEST_F(DrawingTest, BlendModesOverAKnownBackground) {
    struct Case {
        int blend;
        float alpha;
        Rgb expected;
    } cases[] = {
        {BLEND_SOLID, 0.5f, {200, 50, 0}},
        {BLEND_ALPHA, 0.5f, {150, 75, 50}},     // half of each
        {BLEND_LIGHT, 0.5f, {200, 125, 100}},   // background + half the colour
        {BLEND_SHADE, 0.5f, {78, 20, 0}},       // background x colour
        {BLEND_MASK, 0.4f, {100, 100, 100}},    // below one half: discarded
        {BLEND_MASK, 0.6f, {200, 50, 0}},       // otherwise drawn solid
    };
    for (const auto& c : cases) {
        SetClsColor(100, 100, 100);
        Cls();
        SetBlend(c.blend);
        SetColor(200, 50, 0);
        SetAlpha(c.alpha);
        DrawRect(0, 0, 8, 8);
        EXPECT_TRUE(Near(Pixel(4, 4), c.expected)) << "blend " << c.blend << " alpha " << c.alpha << ": " << Pixel(4, 4);
    }
}

TEST_F(DrawingTest, ColourAndAlphaAreClampedOnTheWayToOpenGL) {
    // The colour OpenGL receives with the next primitive, as bytes.
    auto sent = [] {
        DrawRect(-10, -10, 1, 1);
        FlushGLDrawing();  // before reading OpenGL's state directly
        GLfloat color[4];
        glGetFloatv(GL_CURRENT_COLOR, color);
        return std::vector<int>{int(color[0] * 255 + 0.5f), int(color[1] * 255 + 0.5f), int(color[2] * 255 + 0.5f),
                                int(color[3] * 255 + 0.5f)};
    };
    SetColor(300, -5, 128);
    SetAlpha(1.5f);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 300);  // the context keeps what was asked
    EXPECT_EQ(sent(), (std::vector<int>{255, 0, 128, 255}));
    SetAlpha(-1);
    EXPECT_EQ(sent()[3], 0);
    SetAlpha(0.5f);
    EXPECT_EQ(sent()[3], 127);
}

TEST_F(DrawingTest, TheViewportClips) {
    SetViewport(50, 40, 20, 10);
    DrawRect(0, 0, 320, 240);
    EXPECT_TRUE(Lit(50, 40));
    EXPECT_TRUE(Lit(69, 49));
    EXPECT_FALSE(Lit(70, 45));
    EXPECT_FALSE(Lit(60, 50));
    EXPECT_FALSE(Lit(49, 45));
    SetViewport(0, 0, 320, 240);
    DrawRect(0, 0, 320, 240);
    EXPECT_TRUE(Lit(0, 239));
}

TEST_F(DrawingTest, OvalsAndPolygonsFillWhatTheyShould) {
    DrawOval(100, 100, 40, 20);
    EXPECT_TRUE(Lit(120, 110));
    EXPECT_TRUE(Lit(102, 110));
    EXPECT_FALSE(Lit(101, 101));  // outside the ellipse, inside its box
    DrawPoly({200, 100, 240, 100, 200, 140});
    EXPECT_TRUE(Lit(205, 105));
    EXPECT_FALSE(Lit(235, 135));
    DrawPoly({10, 200, 30, 200});                     // 4 values: nothing
    DrawPoly({10, 200, 30, 200, 10, 220, 5});         // odd count: nothing
    EXPECT_FALSE(Lit(12, 202));
}

TEST_F(DrawingTest, PixmapsCopyToAndFromTheScreen) {
    auto pixmap = TPixmap::Create(4, 3, FMT_RGB888, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) pixmap->WritePixel(x, y, static_cast<int>(0xFF000000u | (x * 60) << 16 | (y * 80) << 8 | 7));
    DrawPixmap(pixmap, 30, 20);
    auto back = GrabPixmap(30, 20, 4, 3);
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(back->ReadPixel(x, y), pixmap->ReadPixel(x, y)) << x << "," << y;
    EXPECT_EQ(GetBlend(), BLEND_MASK);  // restored afterwards
}
