#include <GL/gl.h>

#include "drawing_test_util.h"
#include "gl/gl_image_frame.h"

using namespace vellum;
using testutil::DrawingTest;
using testutil::Rgb;

namespace {

const uint32_t kQuadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};  // red, green / blue, yellow

// Pixels of a texture level read back from OpenGL, row by row.
std::vector<uint32_t> TextureTexels(unsigned name, int width, int height) {
    std::vector<uint32_t> texels(static_cast<size_t>(width) * height);
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

}  // namespace

TEST_F(DrawingTest, ImagesDrawTheirPixelsTintedAndFaded) {
    auto image = QuadrantImage(32, kQuadrants);
    DrawImage(image, 10, 10);
    EXPECT_EQ(Pixel(12, 12), Rgb({255, 0, 0}));
    EXPECT_EQ(Pixel(40, 12), Rgb({0, 255, 0}));
    EXPECT_EQ(Pixel(12, 40), Rgb({0, 0, 255}));
    EXPECT_EQ(Pixel(40, 40), Rgb({255, 255, 0}));
    SetBlend(BLEND_ALPHA);
    SetColor(255, 128, 255);  // tints by modulation
    SetAlpha(0.5f);
    DrawImage(image, 100, 10);
    EXPECT_TRUE(Near(Pixel(130, 12), Rgb({0, 64, 0}))) << Pixel(130, 12);
}

TEST_F(DrawingTest, AMidHandledImageSpinsAboutItsCentre) {
    auto image = QuadrantImage(20, kQuadrants);
    MidHandleImage(image);
    EXPECT_EQ(image->handle_x, 10.0f);
    SetRotation(45);
    DrawImage(image, 100, 100);
    EXPECT_TRUE(Lit(100, 100));
    EXPECT_TRUE(Lit(100, 87));    // a corner now points straight up
    EXPECT_FALSE(Lit(91, 91));    // where the unturned corner would be
}

TEST_F(DrawingTest, DrawImagePartDrawsTheRequestedQuarter) {
    auto image = QuadrantImage(64, kQuadrants);
    DrawImagePart(image, 100, 100, 64, 64, 0, 0, 32, 32, 16, 16, 0);  // top-left quarter doubled, centred
    EXPECT_EQ(Pixel(70, 70), Rgb({255, 0, 0}));
    EXPECT_EQ(Pixel(129, 129), Rgb({255, 0, 0}));
    EXPECT_FALSE(Lit(132, 100));
    EXPECT_FALSE(Lit(100, 67));
}

TEST_F(DrawingTest, PaddedTexturesRepeatTheLastColumnAndRow) {
    auto image = CreateImage(100, 60, 1, 0);
    auto pixmap = LockImage(image);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) pixmap->WritePixel(x, y, static_cast<int>(0xFF000000u | (x << 8) | y));
    auto frame = Cast<TGLImageFrame>(image->Frame(0));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->uscale, 1.0f / 128);
    EXPECT_EQ(frame->vscale, 1.0f / 64);
    EXPECT_EQ(frame->u1, 100.0f / 128);
    auto texels = TextureTexels(frame->texture.Name(), 128, 64);
    EXPECT_EQ(texels[5 * 128 + 100], texels[5 * 128 + 99]);
    EXPECT_EQ(texels[60 * 128 + 7], texels[59 * 128 + 7]);
    EXPECT_EQ(texels[60 * 128 + 100], texels[59 * 128 + 99]);

    auto square = CreateImage(64, 64, 1, 0);
    LockImage(square)->ClearPixels(static_cast<int>(0xFF102030));
    auto squareFrame = Cast<TGLImageFrame>(square->Frame(0));
    ASSERT_NE(squareFrame, nullptr);
    EXPECT_EQ(squareFrame->u1, 1.0f);
    EXPECT_EQ(squareFrame->v1, 1.0f);
}

TEST_F(DrawingTest, AWriteLockShowsNewPixelsAtTheNextDraw) {
    auto image = CreateImage(8, 8, 1, 0);
    LockImage(image)->ClearPixels(static_cast<int>(0xFFFF0000));
    DrawImage(image, 0, 0);
    EXPECT_EQ(Pixel(4, 4), Rgb({255, 0, 0}));
    LockImage(image, 0, 0, 1)->ClearPixels(static_cast<int>(0xFF00FF00));
    DrawImage(image, 0, 0);  // no unlock needed
    EXPECT_EQ(Pixel(4, 4), Rgb({0, 255, 0}));
}

TEST_F(DrawingTest, NewContextsRemakeFramesAndFreedTexturesAreDeleted) {
    auto image = QuadrantImage(16, kQuadrants);
    auto first = Cast<TGLImageFrame>(image->Frame(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image->Frame(0), first);  // kept while the context lives

    auto doomed = QuadrantImage(16, kQuadrants);
    unsigned doomedName = Cast<TGLImageFrame>(doomed->Frame(0))->texture.Name();
    doomed = nullptr;  // its texture waits in the deletion queue
    EXPECT_TRUE(glIsTexture(doomedName));
    QuadrantImage(16, kQuadrants)->Frame(0);  // the next texture creation deletes it
    EXPECT_FALSE(glIsTexture(doomedName));

    int seq = GraphicsSeq();
    first = nullptr;
    ASSERT_NE(OpenGraphics(320, 240, 0, 0, 0), nullptr);
    EXPECT_NE(GraphicsSeq(), seq);
    auto remade = image->Frame(0);
    ASSERT_NE(remade, nullptr);
    EXPECT_EQ(image->seqs[0], GraphicsSeq());
    DrawImage(image, 0, 0);
    EXPECT_EQ(Pixel(2, 2), Rgb({255, 0, 0}));
}

TEST_F(DrawingTest, StateCachesKeepRedundantCallsFromOpenGL) {
    SetBlend(BLEND_ALPHA);
    int blends = GLStateCalls().blend;
    SetBlend(BLEND_ALPHA);
    EXPECT_EQ(GLStateCalls().blend, blends);
    SetBlend(BLEND_LIGHT);
    EXPECT_EQ(GLStateCalls().blend, blends + 1);

    auto image = QuadrantImage(16, kQuadrants);
    image->Frame(0);
    DrawRect(0, 0, 1, 1);  // texturing off
    int binds = GLStateCalls().bind, toggles = GLStateCalls().texture;
    DrawImage(image, 0, 0);
    DrawImage(image, 20, 0);
    EXPECT_LE(GLStateCalls().bind, binds + 1);
    EXPECT_EQ(GLStateCalls().texture, toggles + 1);
}

TEST_F(DrawingTest, TextLightsItsGlyphsAndTextWidthMatches) {
    EXPECT_EQ(TextWidth(u""), 0);
    EXPECT_EQ(TextWidth(u"Hello"), 40);
    EXPECT_EQ(TextWidth(u"\u00E9\u0001"), 0);  // no glyph: no width
    EXPECT_EQ(TextHeight(u"x"), 16);
    DrawText(u"HH", 10, 10);
    int lit = 0, right = 0;
    for (int y = 10; y < 26; ++y)
        for (int x = 10; x < 40; ++x)
            if (Lit(x, y)) ++lit, right = std::max(right, x);
    EXPECT_GT(lit, 20);
    EXPECT_LT(right, 10 + TextWidth(u"HH"));
    EXPECT_GE(right, 10 + 8);  // the second glyph is drawn
    SetImageFont(nullptr);
    EXPECT_NE(GetImageFont(), nullptr);
}

TEST_F(DrawingTest, TrueTypeTextStaysWithinItsWidth) {
    auto font = LoadImageFont(u"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 24, 0);
    ASSERT_NE(font, nullptr);
    SetImageFont(font);
    int width = TextWidth(u"WAVE");
    EXPECT_GT(width, 40);
    DrawText(u"WAVE", 20, 20);
    int left = 1000, right = -1;
    for (int y = 20; y < 20 + TextHeight(u"") ; ++y)
        for (int x = 10; x < 120; ++x)
            if (Lit(x, y)) left = std::min(left, x), right = std::max(right, x);
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_GE(left, 20);
    EXPECT_LE(right, 20 + width + 1);
    EXPECT_GT(right, 20 + width / 2);
}
