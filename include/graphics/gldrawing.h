#pragma once
// The OpenGL 2D driver: fixed-function OpenGL drawing (orthographic
// projection) over the contexts of the OpenGL window driver, OpenGL 1.1 and up.
//
// Consecutive primitives drawn with the same texture, blend and viewport are
// held back and sent to OpenGL together, as one vertex array draw. The driver
// sends what it holds before anything that changes OpenGL state or reads or
// writes pixels itself (Cls, SetBlend, SetViewport, SetLineWidth, texture
// uploads and deletions, DrawPixmap, GrabPixmap, Flip, switching or closing
// contexts). A program that makes OpenGL calls of its own between engine
// drawing calls must call FlushGLDrawing() before them, or turn batching off.

#include "graphics/drawing.h"

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

// The one OpenGL 2D driver, or Null when there is no OpenGL window driver.
Ref<TGLVel2DDriver> GLVel2DDriver();
// How many OpenGL state calls the driver's caches let through.
const GLStateCallCounts& GLStateCalls();

// Sends the drawing held back by the driver to OpenGL now. Call it before
// OpenGL calls of your own that draw, read pixels or change state; afterwards,
// leave the state the driver set (blend, bound texture, texturing, scissor,
// matrices) as it was, or reset it through the engine.
void FlushGLDrawing();
// Turns batching on (the default) or off; off, every primitive reaches OpenGL
// before its drawing call returns. The pixels are the same either way.
void SetGLBatching(bool enable);
bool GLBatching();

// Starts the OpenGL window driver and installs the OpenGL 2D driver as the
// current graphics driver.
void InitGLDrawingModule();

}  // namespace vellum
