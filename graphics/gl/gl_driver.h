#pragma once
// The OpenGL 2D driver's class, and the counts of the OpenGL state calls
// its caches let through (for tests). Its public functions are in
// graphics/gldrawing.h.

#include "graphics/gldrawing.h"

namespace vellum {

// How many state calls reached OpenGL, so tests can see the caches work.
struct GLStateCallCounts {
    int blend = 0;    // blend state applications
    int bind = 0;     // texture binds
    int texture = 0;  // texturing enables and disables
    int draws = 0;    // primitive submissions: one per batch, or per primitive without batching
};

class TGLVel2DDriver : public TVel2DDriver {
public:
    std::vector<Ref<TGraphicsMode>> GraphicsModes() override;
    Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) override;
    Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) override;
    void SetGraphics(const Ref<TGraphics>& g) override;
    void Flip(int sync) override;

    Ref<TImageFrame> CreateFrameFromPixmap(const Ref<TPixmap>& pixmap, int flags) override;
    void SetBlend(int mode) override;
    void SetAlpha(float alpha) override;
    void SetColor(int red, int green, int blue) override;
    void SetClsColor(int red, int green, int blue) override;
    void SetViewport(int x, int y, int width, int height) override;
    void SetTransform(float ix, float iy, float jx, float jy) override;
    void SetLineWidth(float width) override;
    void Cls() override;
    void Plot(float x, float y) override;
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) override;
    void DrawPoly(const std::vector<float>& xy, float hx, float hy, float tx, float ty) override;
    void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y) override;
    Ref<TPixmap> GrabPixmap(int x, int y, int width, int height) override;
    void SetResolution(float width, float height) override;

    // Puts OpenGL into the driver's known state for a new current context.
    void ResetGLContext(const Ref<TGraphics>& g);
    String ToString() const { return u"OpenGL"; }
};

// How many OpenGL state calls the driver's caches let through.
const GLStateCallCounts& GLStateCalls();

}  // namespace vellum
