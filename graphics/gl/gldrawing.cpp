#include "gl/gl_driver.h"

#include <cmath>

#include <algorithm>

#include "gl/gl_image_frame.h"
#include "gl/gl_state.h"
#include "graphics/font_module.h"
#include "graphics/glgraphics.h"
#include "graphics/pixmap_module.h"

namespace vellum {

namespace {

uint8_t ClampByte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

void Orthographic(double width, double height) {
    FlushBatch();
    GL_CALL(glMatrixMode(GL_PROJECTION));
    GL_CALL(glLoadIdentity());
    GL_CALL(glOrtho(0, width, height, 0, -1, 1));
    GL_CALL(glMatrixMode(GL_MODELVIEW));
}

}  // namespace

std::vector<Ref<TGraphicsMode>> TGLVel2DDriver::GraphicsModes() { return GetGLGraphicsDriver()->GraphicsModes(); }

Ref<TGraphics> TGLVel2DDriver::AttachGraphics(intptr_t widget, int flags) {
    auto g = GetGLGraphicsDriver()->AttachGraphics(widget, flags);
    return g ? TVel2DGraphics::Create(g, Cast<TVel2DDriver>(shared_from_this())) : nullptr;
}

Ref<TGraphics> TGLVel2DDriver::CreateGraphics(int width, int height, int depth, int hertz, int flags) {
    auto g = GetGLGraphicsDriver()->CreateGraphics(width, height, depth, hertz, flags);
    return g ? TVel2DGraphics::Create(g, Cast<TVel2DDriver>(shared_from_this())) : nullptr;
}

void TGLVel2DDriver::SetGraphics(const Ref<TGraphics>& g) {
    FlushBatch();  // into the context it was made for
    auto context = Cast<TVel2DGraphics>(g);
    if (!context) {
        TVel2DGraphics::ClearCurrent();
        GetGLGraphicsDriver()->SetGraphics(nullptr);
        return;
    }
    GetGLGraphicsDriver()->SetGraphics(context->_graphics);
    ResetGLContext(context);
    context->MakeCurrent();
}

void TGLVel2DDriver::Flip(int sync) {
    FlushBatch();
    GetGLGraphicsDriver()->Flip(sync);
}

void TGLVel2DDriver::ResetGLContext(const Ref<TGraphics>& g) {
    int width, height, depth, hertz, flags;
    g->GetSettings(width, height, depth, hertz, flags);
    auto& s = GLState();
    s.blend = 0;
    s.boundTexture = 0;
    s.texturing = false;
    s.sentColorKnown = false;
    GL_CALL(glDisable(GL_TEXTURE_2D));
    Orthographic(width, height);
    GL_CALL(glLoadIdentity());
    GL_CALL(glViewport(0, 0, width, height));
}

Ref<TImageFrame> TGLVel2DDriver::CreateFrameFromPixmap(const Ref<TPixmap>& pixmap, int flags) {
    return TGLImageFrame::CreateFromPixmap(pixmap, flags);
}

void TGLVel2DDriver::SetBlend(int mode) {
    auto& s = GLState();
    if (mode == s.blend) return;
    FlushBatch();
    s.blend = mode;
    ++s.calls.blend;
    switch (mode) {
    case BLEND_MASK:
        GL_CALL(glDisable(GL_BLEND));
        GL_CALL(glEnable(GL_ALPHA_TEST));
        GL_CALL(glAlphaFunc(GL_GEQUAL, 0.5f));
        break;
    case BLEND_ALPHA:
        GL_CALL(glEnable(GL_BLEND));
        GL_CALL(glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
        GL_CALL(glDisable(GL_ALPHA_TEST));
        break;
    case BLEND_LIGHT:
        GL_CALL(glEnable(GL_BLEND));
        GL_CALL(glBlendFunc(GL_SRC_ALPHA, GL_ONE));
        GL_CALL(glDisable(GL_ALPHA_TEST));
        break;
    case BLEND_SHADE:
        GL_CALL(glEnable(GL_BLEND));
        GL_CALL(glBlendFunc(GL_DST_COLOR, GL_ZERO));
        GL_CALL(glDisable(GL_ALPHA_TEST));
        break;
    default:  // BLEND_SOLID and anything unknown
        GL_CALL(glDisable(GL_BLEND));
        GL_CALL(glDisable(GL_ALPHA_TEST));
        break;
    }
}

void TGLVel2DDriver::SetAlpha(float alpha) {
    if (alpha > 1.0f) alpha = 1.0f;
    if (!(alpha >= 0.0f)) alpha = 0.0f;  // negative or not a number
    GLState().color[3] = static_cast<uint8_t>(alpha * 255);
}

void TGLVel2DDriver::SetColor(int red, int green, int blue) {
    auto& s = GLState();
    s.color[0] = ClampByte(red), s.color[1] = ClampByte(green), s.color[2] = ClampByte(blue);
}

void TGLVel2DDriver::SetClsColor(int red, int green, int blue) {
    GL_CALL(glClearColor(ClampByte(red) / 255.0f, ClampByte(green) / 255.0f, ClampByte(blue) / 255.0f, 1.0f));
}

void TGLVel2DDriver::SetViewport(int x, int y, int width, int height) {
    FlushBatch();
    if (x == 0 && y == 0 && width == GraphicsWidth() && height == GraphicsHeight()) {
        GL_CALL(glDisable(GL_SCISSOR_TEST));
    } else {
        GL_CALL(glEnable(GL_SCISSOR_TEST));
        GL_CALL(glScissor(x, GraphicsHeight() - y - height, std::max(width, 0), std::max(height, 0)));
    }
}

void TGLVel2DDriver::SetTransform(float ix, float iy, float jx, float jy) {
    auto& s = GLState();
    s.ix = ix, s.iy = iy, s.jx = jx, s.jy = jy;
}

void TGLVel2DDriver::SetLineWidth(float width) {
    FlushBatch();
    GL_CALL(glLineWidth(width));
}

void TGLVel2DDriver::Cls() {
    FlushBatch();
    GL_CALL(glClear(GL_COLOR_BUFFER_BIT));
}

void TGLVel2DDriver::Plot(float x, float y) {
    DisableTexturing();
    *BatchVertices(GL_POINTS, 1) = {x + 0.5f, y + 0.5f, 0, 0, PackedColor()};
    EndPrimitive();
}

void TGLVel2DDriver::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
    DisableTexturing();
    uint32_t color = PackedColor();
    GLVertex* v = BatchVertices(GL_LINES, 2);
    v[0] = TransformedVertex(x0, y0, tx + 0.5f, ty + 0.5f, color);
    v[1] = TransformedVertex(x1, y1, tx + 0.5f, ty + 0.5f, color);
    EndPrimitive();
}

void TGLVel2DDriver::DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
    DisableTexturing();
    uint32_t color = PackedColor();
    GLVertex* v = BatchVertices(GL_QUADS, 4);
    v[0] = TransformedVertex(x0, y0, tx, ty, color);
    v[1] = TransformedVertex(x1, y0, tx, ty, color);
    v[2] = TransformedVertex(x1, y1, tx, ty, color);
    v[3] = TransformedVertex(x0, y1, tx, ty, color);
    EndPrimitive();
}

void TGLVel2DDriver::DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) {
    float rx = (x1 - x0) * 0.5f, ry = (y1 - y0) * 0.5f;
    int segments = std::max(static_cast<int>(std::abs(rx) + std::abs(ry)), 12);
    segments &= ~3;
    segments = std::min(segments, 1 << 16);  // a huge oval needs no more vertices than this
    float cx = x0 + rx, cy = y0 + ry;
    DisableTexturing();
    uint32_t color = PackedColor();
    GLVertex* v = BatchVertices(GL_POLYGON, segments);
    for (int i = 0; i < segments; ++i) {
        double a = i * 360.0 / segments * 0.017453292519943295;
        v[i] = TransformedVertex(cx + rx * static_cast<float>(std::cos(a)), cy - ry * static_cast<float>(std::sin(a)),
                                 tx, ty, color);
    }
    EndPrimitive();
}

void TGLVel2DDriver::DrawPoly(const std::vector<float>& xy, float hx, float hy, float tx, float ty) {
    if (xy.size() < 6 || xy.size() % 2) return;
    DisableTexturing();
    uint32_t color = PackedColor();
    GLVertex* v = BatchVertices(GL_POLYGON, static_cast<int>(xy.size() / 2));
    for (size_t i = 0; i < xy.size(); i += 2) *v++ = TransformedVertex(xy[i] + hx, xy[i + 1] + hy, tx, ty, color);
    EndPrimitive();
}

void TGLVel2DDriver::SetResolution(float width, float height) { Orthographic(width, height); }

const GLStateCallCounts& GLStateCalls() { return GLState().calls; }

void FlushGLDrawing() { FlushBatch(); }

void SetGLBatching(bool enable) {
    FlushBatch();
    GLState().batching = enable;
}

bool GLBatching() { return GLState().batching; }

Ref<TVel2DDriver> GLVel2DDriver() {
    static auto* driver = new Ref<TVel2DDriver>(New<TGLVel2DDriver>());  // lives for the whole run
    return *driver;
}

void InitGLDrawingModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitPixmapModule();  // images load pictures
    InitFontModule();    // image fonts load fonts
    InitGLGraphicsModule();
    if (auto driver = GLVel2DDriver()) SetGraphicsDriver(driver, GF_BACKBUFFER);
}

}  // namespace vellum
