// The OpenGL 2D driver: the same busy scene drawn with batching on and off
// must read back the same pixels with the same state calls, and in the test
// build an OpenGL error stops the program with the call's name.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drawing_test_util.h"
#include "context/gl_check.h"
#include "graphics/glgraphics.h"

using namespace vellum;
using testutil::DrawingTest;

namespace {

const char* kTrueTypeFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

Ref<TImage> GradientImage(int width, int height, int flags) {
    auto image = CreateImage(width, height, 1, flags);
    auto pixmap = LockImage(image);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixmap->WritePixel(x, y, static_cast<int>(unsigned(x * 255 / width) << 24 | unsigned(x * 40 % 256) << 16 |
                                                      unsigned(y * 255 / height) << 8 | unsigned((x + y) * 9 % 256)));
    return image;
}

// Everything the state can do, drawn into the current context; the grabs made
// along the way and at the end are appended to grabs.
void DrawBusyScene(const Ref<TImage>& sprite, const Ref<TImage>& opaque, const Ref<TImageFont>& trueType,
                   std::vector<Ref<TPixmap>>& grabs) {
    const int blends[] = {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_LIGHT, BLEND_SHADE};
    SetClsColor(30, 40, 50);
    Cls();
    SetOrigin(0, 0);
    SetHandle(0, 0);
    SetRotationScale(0, 1, 1);
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetImageFont(nullptr);
    for (int i = 0; i < 5; ++i) {
        SetBlend(blends[i]);
        SetColor(255 - i * 40, 100 + i * 30, 60 * i);
        SetAlpha(0.2f + 0.2f * i);
        DrawRect(5.0f + i * 30, 5, 25, 20);
        DrawImage(sprite, 5.0f + i * 30, 30);
        DrawImage(opaque, 5.0f + i * 30, 50);
        DrawOval(5.0f + i * 30, 70, 25, 15);
        DrawLine(5.0f + i * 30, 90, 28.0f + i * 30, 100);
        Plot(5.0f + i * 30, 104);
        DrawPoly({5.0f + i * 30, 110, 30.0f + i * 30, 112, 15.0f + i * 30, 125});
        DrawImage(sprite, 8.0f + i * 30, 33);
        grabs.push_back(GrabPixmap(5 + i * 30, 5, 30, 125));  // read back while drawing waits
    }

    // Many sprites: full batches, and their flushes, in each blend mode.
    SetHandle(8, 8);
    for (int i = 0; i < 3000; ++i) {
        SetBlend(blends[i / 600]);
        SetColor(i * 7 % 256, i * 13 % 256, i * 29 % 256);
        SetAlpha((i % 10) / 9.0f);
        SetRotationScale(i * 3.7f, 0.3f + (i % 5) * 0.2f, 0.4f + (i % 3) * 0.3f);
        DrawImage((i / 100) % 2 ? sprite : opaque, 170.0f + (i * 37 % 140), 10.0f + (i * 53 % 110));
    }
    SetRotationScale(0, 1, 1);
    SetHandle(0, 0);

    // A pixmap pasted in between, and the same image changed while it is drawn.
    SetBlend(BLEND_ALPHA);
    SetColor(255, 255, 255);
    SetAlpha(1);
    auto grabbed = GrabPixmap(170, 10, 40, 40);
    DrawImage(sprite, 10, 140);
    DrawPixmap(grabbed, 60, 140);
    DrawImage(sprite, 30, 150);
    LockImage(sprite)->ClearPixels(static_cast<int>(0x80FF8000));
    DrawImage(sprite, 100, 140);
    LockImage(sprite)->WritePixel(3, 3, static_cast<int>(0xFF00FFFF));
    DrawImagePart(sprite, 120, 140, 32, 32, 0, 0, 8, 8);

    // Origin, handle, rotation and scale, then the viewport clipping.
    SetOrigin(40, 30);
    SetHandle(10, 5);
    SetRotationScale(30, 1.5f, 0.75f);
    DrawRect(150, 150, 30, 20);
    DrawImageRect(opaque, 200, 160, 40, 30);
    DrawLine(120, 170, 180, 200);
    SetViewport(220, 150, 60, 50);
    DrawOval(190, 130, 60, 60);
    DrawImage(opaque, 200, 150);
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetOrigin(0, 0);
    SetHandle(0, 0);
    SetRotationScale(0, 1, 1);

    // Text in the built-in image font and in a TrueType font, thick lines.
    SetColor(250, 240, 100);
    DrawText(u"Batches 123", 5, 200);
    SetImageFont(trueType);
    SetBlend(BLEND_LIGHT);
    DrawText(u"WAVE", 100, 190);
    SetImageFont(nullptr);
    SetLineWidth(3);
    DrawLine(5, 230, 300, 225);
    SetLineWidth(1);
    grabs.push_back(GrabPixmap(0, 0, GraphicsWidth(), GraphicsHeight()));
}

// The bytes of a pixmap's pixels, row by row.
std::string Bytes(const Ref<TPixmap>& pixmap) {
    std::string bytes;
    for (int y = 0; y < pixmap->height; ++y)
        bytes.append(reinterpret_cast<const char*>(pixmap->PixelPtr(0, y)), pixmap->width * 4u);
    return bytes;
}

struct SceneRun {
    std::vector<Ref<TPixmap>> grabs;
    GLStateCallCounts calls;
};

// The scene in two contexts sharing textures, drawn alternately.
SceneRun DrawInTwoContexts(const Ref<TGraphics>& first, const Ref<TGraphics>& second, const Ref<TImageFont>& trueType) {
    SceneRun run;
    GLStateCallCounts before = GLStateCalls();
    auto sprite = GradientImage(16, 16, IMAGE_FILTERED);
    auto opaque = GradientImage(24, 12, 0);
    SetGraphics(first);
    DrawBusyScene(sprite, opaque, trueType, run.grabs);
    SetGraphics(second);
    DrawImage(opaque, 3, 3);  // a frame made in the first, drawn in the second
    DrawBusyScene(GradientImage(16, 16, IMAGE_FILTERED | IMAGE_MIPMAPPED), opaque, trueType, run.grabs);
    SetGraphics(first);
    DrawRect(0, 0, 10, 10);
    run.grabs.push_back(GrabPixmap(0, 0, 20, 20));
    const GLStateCallCounts& after = GLStateCalls();
    run.calls = {after.blend - before.blend, after.bind - before.bind, after.texture - before.texture,
                 after.draws - before.draws};
    return run;
}

}  // namespace

TEST(GLBatchingTest, BatchedAndUnbatchedDrawingReadBackTheSamePixels) {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "display tests need an X server";
    InitGLDrawingModule();
    ASSERT_TRUE(EnableGLContextSharing());
    auto first = CreateGraphics(320, 240, 0, 0, 0);
    auto second = CreateGraphics(300, 250, 0, 0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    SetGraphics(first);
    auto trueType = LoadImageFont(FromUtf8(kTrueTypeFont), 20, 0);
    ASSERT_NE(trueType, nullptr);

    ASSERT_TRUE(GLBatching());  // on by default
    DrawInTwoContexts(first, second, trueType);  // both runs below start from the state it leaves
    SceneRun batched = DrawInTwoContexts(first, second, trueType);
    SetGLBatching(false);
    SceneRun unbatched = DrawInTwoContexts(first, second, trueType);

    ASSERT_EQ(batched.grabs.size(), unbatched.grabs.size());
    for (size_t i = 0; i < batched.grabs.size(); ++i) {
        ASSERT_NE(batched.grabs[i], nullptr);
        EXPECT_TRUE(Bytes(batched.grabs[i]) == Bytes(unbatched.grabs[i])) << "grab " << i << " differs";
    }
    // The same state reached OpenGL, in far fewer submissions.
    EXPECT_EQ(batched.calls.blend, unbatched.calls.blend);
    EXPECT_EQ(batched.calls.bind, unbatched.calls.bind);
    EXPECT_EQ(batched.calls.texture, unbatched.calls.texture);
    EXPECT_LT(batched.calls.draws * 10, unbatched.calls.draws);
    SetGraphics(nullptr);
    CloseGraphicsContext(second);
    CloseGraphicsContext(first);
}

TEST_F(DrawingTest, FlushGLDrawingSendsHeldBackDrawingBeforeOwnOpenGL) {
    SetGLBatching(true);
    SetColor(0, 255, 0);
    DrawRect(0, 0, 8, 8);
    DrawRect(10, 0, 8, 8);
    FlushGLDrawing();
    uint8_t pixel[4] = {};
    glReadPixels(12, 240 - 1 - 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);  // the program's own call
    EXPECT_EQ(pixel[1], 255);
}

#if VELLUM_GL_CHECKS
TEST_F(DrawingTest, AnOpenGLErrorStopsWithTheCallsName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(GL_CALL(glEnable(0x1234)), "glEnable: GL_INVALID_ENUM");
}
#endif
