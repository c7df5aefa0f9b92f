#pragma once
// The 2D drawing layer: one current drawing context holding every piece of
// drawing state (colour, alpha, blend, transform, origin, handle, viewport,
// virtual resolution, font), and the current 2D driver that draws. Setters
// store the value in the context and pass it to the driver at once, so the
// context can re-apply everything when it becomes current again.

#include <vector>

#include "graphics/graphics.h"

#pragma GCC visibility push(default)
namespace vellum {

enum : int { BLEND_MASK = 1, BLEND_SOLID = 2, BLEND_ALPHA = 3, BLEND_LIGHT = 4, BLEND_SHADE = 5 };

class TPixmap;
class TImageFrame;
class TImageFont;
class TVel2DDriver;

class TVel2DGraphics : public TGraphics {
public:
    int color_red = 255, color_green = 255, color_blue = 255;
    float color_alpha = 1.0f;
    int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
    float line_width = 1.0f;
    float tform_rot = 0.0f;
    float tform_scale_x = 1.0f, tform_scale_y = 1.0f;
    float tform_ix = 1.0f, tform_iy = 0.0f, tform_jx = 0.0f, tform_jy = 1.0f;
    int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
    float origin_x = 0.0f, origin_y = 0.0f;
    float handle_x = 0.0f, handle_y = 0.0f;  // stored negated
    Ref<TImageFont> image_font;
    int blend_mode = BLEND_MASK;
    float vres_width = 0.0f, vres_height = 0.0f;
    float vres_mousexscale = 1.0f, vres_mouseyscale = 1.0f;
    int g_width = 0, g_height = 0;
    Ref<TGraphics> _graphics;
    Ref<TVel2DDriver> _driver;
    int _setup = 0;

    Ref<TGraphicsDriver> Driver() override;
    void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
    void Close() override;
    // Re-applies the whole drawing state to the driver.
    virtual void Validate();
    // Makes this the current drawing context; the first time, clears both buffers.
    virtual void MakeCurrent();

    // A drawing context over g for driver, in the default state.
    static Ref<TVel2DGraphics> Create(Ref<TGraphics> g, Ref<TVel2DDriver> driver);
    static Ref<TVel2DGraphics> Current();
    static void ClearCurrent();
};

// A 2D drawing backend.
class TVel2DDriver : public TGraphicsDriver {
public:
    virtual Ref<TImageFrame> CreateFrameFromPixmap(const Ref<TPixmap>& pixmap, int flags) = 0;
    virtual void SetBlend(int mode) = 0;
    virtual void SetAlpha(float alpha) = 0;
    virtual void SetColor(int red, int green, int blue) = 0;
    virtual void SetClsColor(int red, int green, int blue) = 0;
    // Clips to this rectangle of device pixels (origin top left).
    virtual void SetViewport(int x, int y, int width, int height) = 0;
    virtual void SetTransform(float ix, float iy, float jx, float jy) = 0;
    virtual void SetLineWidth(float width) = 0;
    virtual void Cls() = 0;
    // One point, not transformed.
    virtual void Plot(float x, float y) = 0;
    virtual void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawPoly(const std::vector<float>& xy, float hx, float hy, float tx, float ty) = 0;
    virtual void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y) = 0;
    virtual Ref<TPixmap> GrabPixmap(int x, int y, int width, int height) = 0;
    // Maps the virtual resolution onto the whole device.
    virtual void SetResolution(float width, float height) = 0;
};

// The current 2D driver, Null until a drawing context is current.
Ref<TVel2DDriver> CurrentVel2DDriver();

void Cls();
void SetClsColor(int red, int green, int blue);
void GetClsColor(int& red, int& green, int& blue);
void SetColor(int red, int green, int blue);
void GetColor(int& red, int& green, int& blue);
void SetBlend(int mode);
int GetBlend();
void SetAlpha(float alpha);
float GetAlpha();
void SetLineWidth(float width);
float GetLineWidth();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float scaleX, float scaleY);
void GetScale(float& scaleX, float& scaleY);
void SetRotationScale(float degrees, float scaleX, float scaleY);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
// The point of every drawing placed at its draw position.
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
// Clips drawing to a rectangle in virtual coordinates.
void SetViewport(int x, int y, int width, int height);
void GetViewport(int& x, int& y, int& width, int& height);
void SetVirtualResolution(float width, float height);
float VirtualResolutionWidth();
float VirtualResolutionHeight();
float VirtualMouseX();
float VirtualMouseY();
// The colour made transparent when pictures without alpha are loaded.
void SetMaskColor(int red, int green, int blue);
void GetMaskColor(int& red, int& green, int& blue);

void Plot(float x, float y);
void DrawRect(float x, float y, float width, float height);
void DrawOval(float x, float y, float width, float height);
// A line; with drawLastPixel the end point is plotted too.
void DrawLine(float x, float y, float x2, float y2, int drawLastPixel = 1);
// A filled polygon of (x, y) pairs.
void DrawPoly(const std::vector<float>& xy);
// Copies pixels to the back buffer at (x, y), untransformed.
void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y);
// Reads back a rectangle of the back buffer.
Ref<TPixmap> GrabPixmap(int x, int y, int width, int height);

}  // namespace vellum
#pragma GCC visibility pop
