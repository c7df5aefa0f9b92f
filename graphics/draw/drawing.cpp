// The drawing layer's module operations. Each acts on the current context
// and driver; with no current context they do nothing.

#include <cmath>

#include "draw/drawing_state.h"
#include "system/polled_input.h"

namespace vellum {

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

TVel2DGraphics* Context() { return Drawing().context.get(); }
TVel2DDriver* Driver2D() { return Drawing().driver.get(); }

// Recomputes the matrix from rotation and scale and hands it to the driver.
void UpdateTransform(TVel2DGraphics& c) {
    double radians = c.tform_rot * kRadiansPerDegree;
    float s = static_cast<float>(std::sin(radians));
    float k = static_cast<float>(std::cos(radians));
    c.tform_ix = k * c.tform_scale_x;
    c.tform_iy = -s * c.tform_scale_y;
    c.tform_jx = s * c.tform_scale_x;
    c.tform_jy = k * c.tform_scale_y;
    if (Driver2D()) Driver2D()->SetTransform(c.tform_ix, c.tform_iy, c.tform_jx, c.tform_jy);
}

}  // namespace

Ref<TVel2DDriver> CurrentVel2DDriver() { return Drawing().driver; }

void Cls() {
    if (Driver2D()) Driver2D()->Cls();
}

void SetClsColor(int red, int green, int blue) {
    auto* c = Context();
    if (!c) return;
    c->clscolor_red = red, c->clscolor_green = green, c->clscolor_blue = blue;
    Driver2D()->SetClsColor(red, green, blue);
}

void GetClsColor(int& red, int& green, int& blue) {
    auto* c = Context();
    red = c ? c->clscolor_red : 0, green = c ? c->clscolor_green : 0, blue = c ? c->clscolor_blue : 0;
}

void SetColor(int red, int green, int blue) {
    auto* c = Context();
    if (!c) return;
    c->color_red = red, c->color_green = green, c->color_blue = blue;
    Driver2D()->SetColor(red, green, blue);
}

void GetColor(int& red, int& green, int& blue) {
    auto* c = Context();
    red = c ? c->color_red : 255, green = c ? c->color_green : 255, blue = c ? c->color_blue : 255;
}

void SetBlend(int mode) {
    auto* c = Context();
    if (!c) return;
    c->blend_mode = mode;
    Driver2D()->SetBlend(mode);
}

int GetBlend() { return Context() ? Context()->blend_mode : BLEND_MASK; }

void SetAlpha(float alpha) {
    auto* c = Context();
    if (!c) return;
    c->color_alpha = alpha;
    Driver2D()->SetAlpha(alpha);
}

float GetAlpha() { return Context() ? Context()->color_alpha : 1.0f; }

void SetLineWidth(float width) {
    auto* c = Context();
    if (!c) return;
    c->line_width = width;
    Driver2D()->SetLineWidth(width);
}

float GetLineWidth() { return Context() ? Context()->line_width : 1.0f; }

void SetRotation(float degrees) {
    auto* c = Context();
    if (!c) return;
    c->tform_rot = degrees;
    UpdateTransform(*c);
}

float GetRotation() { return Context() ? Context()->tform_rot : 0.0f; }

void SetScale(float scaleX, float scaleY) {
    auto* c = Context();
    if (!c) return;
    c->tform_scale_x = scaleX, c->tform_scale_y = scaleY;
    UpdateTransform(*c);
}

void GetScale(float& scaleX, float& scaleY) {
    auto* c = Context();
    scaleX = c ? c->tform_scale_x : 1.0f, scaleY = c ? c->tform_scale_y : 1.0f;
}

void SetRotationScale(float degrees, float scaleX, float scaleY) {
    auto* c = Context();
    if (!c) return;
    c->tform_rot = degrees, c->tform_scale_x = scaleX, c->tform_scale_y = scaleY;
    UpdateTransform(*c);
}

void SetOrigin(float x, float y) {
    if (auto* c = Context()) c->origin_x = x, c->origin_y = y;
}

void GetOrigin(float& x, float& y) {
    auto* c = Context();
    x = c ? c->origin_x : 0.0f, y = c ? c->origin_y : 0.0f;
}

void SetHandle(float x, float y) {
    if (auto* c = Context()) c->handle_x = -x, c->handle_y = -y;
}

void GetHandle(float& x, float& y) {
    auto* c = Context();
    x = c ? -c->handle_x : 0.0f, y = c ? -c->handle_y : 0.0f;
}

void SetViewport(int x, int y, int width, int height) {
    auto* c = Context();
    if (!c) return;
    c->viewport_x = x, c->viewport_y = y, c->viewport_w = width, c->viewport_h = height;
    // Virtual coordinates to device pixels.
    float kx = c->vres_mousexscale, ky = c->vres_mouseyscale;
    int left = static_cast<int>(std::floor(x / kx));
    int top = static_cast<int>(std::floor(y / ky));
    int right = static_cast<int>(std::floor((x + width) / kx));
    int bottom = static_cast<int>(std::floor((y + height) / ky));
    Driver2D()->SetViewport(left, top, right - left, bottom - top);
}

void GetViewport(int& x, int& y, int& width, int& height) {
    auto* c = Context();
    x = c ? c->viewport_x : 0, y = c ? c->viewport_y : 0;
    width = c ? c->viewport_w : 0, height = c ? c->viewport_h : 0;
}

void SetVirtualResolution(float width, float height) {
    auto* c = Context();
    if (!c) return;
    c->vres_width = width, c->vres_height = height;
    int gw = GraphicsWidth(), gh = GraphicsHeight();
    c->vres_mousexscale = gw ? width / gw : 1.0f;
    c->vres_mouseyscale = gh ? height / gh : 1.0f;
    Driver2D()->SetResolution(width, height);
}

float VirtualResolutionWidth() { return Context() ? Context()->vres_width : 0.0f; }
float VirtualResolutionHeight() { return Context() ? Context()->vres_height : 0.0f; }
float VirtualMouseX() { return MouseX() * (Context() ? Context()->vres_mousexscale : 1.0f); }
float VirtualMouseY() { return MouseY() * (Context() ? Context()->vres_mouseyscale : 1.0f); }

void SetMaskColor(int red, int green, int blue) {
    auto& state = Drawing();
    state.maskRed = red, state.maskGreen = green, state.maskBlue = blue;
}

void GetMaskColor(int& red, int& green, int& blue) {
    auto& state = Drawing();
    red = state.maskRed, green = state.maskGreen, blue = state.maskBlue;
}

void Plot(float x, float y) {
    if (auto* c = Context()) Driver2D()->Plot(x + c->origin_x, y + c->origin_y);
}

void DrawRect(float x, float y, float width, float height) {
    auto* c = Context();
    if (!c) return;
    Driver2D()->DrawRect(c->handle_x, c->handle_y, c->handle_x + width, c->handle_y + height, x + c->origin_x,
                         y + c->origin_y);
}

void DrawOval(float x, float y, float width, float height) {
    auto* c = Context();
    if (!c) return;
    Driver2D()->DrawOval(c->handle_x, c->handle_y, c->handle_x + width, c->handle_y + height, x + c->origin_x,
                         y + c->origin_y);
}

void DrawLine(float x, float y, float x2, float y2, int drawLastPixel) {
    auto* c = Context();
    if (!c) return;
    // The line is relative to its first point, so rotation and scale turn it about that point.
    float px = c->handle_x + x2 - x, py = c->handle_y + y2 - y;
    Driver2D()->DrawLine(c->handle_x, c->handle_y, px, py, x + c->origin_x, y + c->origin_y);
    if (drawLastPixel)
        Driver2D()->Plot(px * c->tform_ix + py * c->tform_iy + x + c->origin_x,
                         px * c->tform_jx + py * c->tform_jy + y + c->origin_y);
}

void DrawPoly(const std::vector<float>& xy) {
    auto* c = Context();
    if (!c) return;
    Driver2D()->DrawPoly(xy, c->handle_x, c->handle_y, c->origin_x, c->origin_y);
}

void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y) {
    if (Driver2D() && pixmap) Driver2D()->DrawPixmap(pixmap, x, y);
}

Ref<TPixmap> GrabPixmap(int x, int y, int width, int height) {
    return Driver2D() ? Driver2D()->GrabPixmap(x, y, width, height) : nullptr;
}

}  // namespace vellum
