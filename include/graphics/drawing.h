#pragma once
/// \file
/// The 2D drawing layer: one current drawing context holding every piece of
/// drawing state (colour, alpha, blend, transform, origin, handle, viewport,
/// virtual resolution, font), and the current 2D driver that draws. Setters
/// store the value in the context and pass it to the driver at once, so the
/// context can re-apply everything when it becomes current again.

#include <vector>

#include "graphics/graphics.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Blend modes of SetBlend: how a drawing combines with what is already there.
enum : int {
    BLEND_MASK = 1,   ///< opaque, and pixels with alpha below one half are left out
    BLEND_SOLID = 2,  ///< opaque: the drawing replaces the pixels
    BLEND_ALPHA = 3,  ///< mixed by the drawing's alpha
    BLEND_LIGHT = 4,  ///< added, weighted by alpha: the drawing lightens
    BLEND_SHADE = 5   ///< multiplied: the drawing darkens
};

class TPixmap;
class TImageFrame;
class TImageFont;
class TVel2DDriver;

/// A drawing context: a graphics context with the whole drawing state that
/// the functions below set and read.
class TVel2DGraphics : public TGraphics {
public:
    /// The colour of drawings, 0 to 255 per channel, and their alpha (SetColor, SetAlpha).
    ///@{
    int color_red = 255, color_green = 255, color_blue = 255;
    float color_alpha = 1.0f;
    ///@}
    /// The colour Cls clears to (SetClsColor).
    ///@{
    int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
    ///@}
    float line_width = 1.0f;  ///< the width of lines in pixels (SetLineWidth)
    float tform_rot = 0.0f;   ///< the rotation of drawings in degrees (SetRotation)
    /// The scale of drawings (SetScale).
    ///@{
    float tform_scale_x = 1.0f, tform_scale_y = 1.0f;
    ///@}
    /// The transform made of rotation and scale: a drawing's point (x, y)
    /// goes to (x * ix + y * iy, x * jx + y * jy).
    ///@{
    float tform_ix = 1.0f, tform_iy = 0.0f, tform_jx = 0.0f, tform_jy = 1.0f;
    ///@}
    /// The clip rectangle in virtual coordinates (SetViewport).
    ///@{
    int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
    ///@}
    /// The offset added to every draw position (SetOrigin).
    ///@{
    float origin_x = 0.0f, origin_y = 0.0f;
    ///@}
    /// The handle of drawings (SetHandle), stored negated.
    ///@{
    float handle_x = 0.0f, handle_y = 0.0f;
    ///@}
    Ref<TImageFont> image_font;  ///< the font of DrawText (SetImageFont)
    int blend_mode = BLEND_MASK;  ///< one of the BLEND_ modes (SetBlend)
    /// The virtual resolution mapped onto the whole device (SetVirtualResolution).
    ///@{
    float vres_width = 0.0f, vres_height = 0.0f;
    ///@}
    /// Virtual units per device pixel, for the mouse and the viewport.
    ///@{
    float vres_mousexscale = 1.0f, vres_mouseyscale = 1.0f;
    ///@}
    /// The device size the state was last applied for; a new size resets the
    /// virtual resolution to it.
    ///@{
    int g_width = 0, g_height = 0;
    ///@}
    Ref<TGraphics> _graphics;   ///< the graphics context drawn into
    Ref<TVel2DDriver> _driver;  ///< the 2D driver that draws
    int _setup = 0;             ///< 1 once both buffers were cleared

    Ref<TGraphicsDriver> Driver() override;
    /// The settings of the graphics context drawn into; all 0 once closed.
    void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
    void Close() override;
    /// Re-applies the whole drawing state to the driver.
    virtual void Validate();
    /// Makes this the current drawing context; the first time, clears both buffers.
    virtual void MakeCurrent();

    /// A drawing context over g for driver, in the default state.
    static Ref<TVel2DGraphics> Create(Ref<TGraphics> g, Ref<TVel2DDriver> driver);
    /// The current drawing context, Null when there is none.
    static Ref<TVel2DGraphics> Current();
    /// Leaves no drawing context current.
    static void ClearCurrent();
};

/// A 2D drawing backend. The drawing context calls it with the state set
/// and with coordinates in device pixels; the functions below are its users.
class TVel2DDriver : public TGraphicsDriver {
public:
    /// A drawable frame of pixmap's pixels, with the IMAGE_ flags of its image.
    virtual Ref<TImageFrame> CreateFrameFromPixmap(const Ref<TPixmap>& pixmap, int flags) = 0;
    /// Selects one of the BLEND_ modes.
    virtual void SetBlend(int mode) = 0;
    /// The alpha of drawings, 0 to 1.
    virtual void SetAlpha(float alpha) = 0;
    /// The colour of drawings, 0 to 255 per channel.
    virtual void SetColor(int red, int green, int blue) = 0;
    /// The colour Cls clears to, 0 to 255 per channel.
    virtual void SetClsColor(int red, int green, int blue) = 0;
    /// Clips to this rectangle of device pixels (origin top left).
    virtual void SetViewport(int x, int y, int width, int height) = 0;
    /// The transform of drawings' local points: (x, y) goes to (x * ix + y * iy, x * jx + y * jy).
    virtual void SetTransform(float ix, float iy, float jx, float jy) = 0;
    /// The width of lines in pixels.
    virtual void SetLineWidth(float width) = 0;
    /// Clears the viewport to the clear colour.
    virtual void Cls() = 0;
    /// One point, not transformed.
    virtual void Plot(float x, float y) = 0;
    /// A line, a filled rectangle or a filled oval between the local points
    /// (x0, y0) and (x1, y1), transformed, then moved by (tx, ty).
    ///@{
    virtual void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    virtual void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    ///@}
    /// A filled polygon of (x, y) pairs, each moved by the handle (hx, hy),
    /// transformed, then moved by (tx, ty).
    virtual void DrawPoly(const std::vector<float>& xy, float hx, float hy, float tx, float ty) = 0;
    /// Copies pixels to the back buffer at (x, y), untransformed.
    virtual void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y) = 0;
    /// Reads back a rectangle of the back buffer; Null when it cannot.
    virtual Ref<TPixmap> GrabPixmap(int x, int y, int width, int height) = 0;
    /// Maps the virtual resolution onto the whole device.
    virtual void SetResolution(float width, float height) = 0;
};

/// The current 2D driver, Null until a drawing context is current.
Ref<TVel2DDriver> CurrentVel2DDriver();

/// Clears the viewport to the clear colour.
void Cls();
/// The colour Cls clears to, 0 to 255 per channel (black at first).
///@{
void SetClsColor(int red, int green, int blue);
void GetClsColor(int& red, int& green, int& blue);
///@}
/// The colour of drawings, 0 to 255 per channel (white at first); images
/// and text are multiplied by it.
///@{
void SetColor(int red, int green, int blue);
void GetColor(int& red, int& green, int& blue);
///@}
/// The blend mode of drawings, one of the BLEND_ constants (BLEND_MASK at first).
///@{
void SetBlend(int mode);
int GetBlend();
///@}
/// The alpha of drawings, 0 (invisible) to 1 (opaque), used by BLEND_ALPHA
/// and BLEND_LIGHT.
///@{
void SetAlpha(float alpha);
float GetAlpha();
///@}
/// The width of lines in pixels (1 at first).
///@{
void SetLineWidth(float width);
float GetLineWidth();
///@}
/// The rotation of drawings about their draw position, in degrees clockwise.
///@{
void SetRotation(float degrees);
float GetRotation();
///@}
/// The scale of drawings about their draw position (1, 1 at first).
///@{
void SetScale(float scaleX, float scaleY);
void GetScale(float& scaleX, float& scaleY);
///@}
/// Sets rotation and scale at once.
void SetRotationScale(float degrees, float scaleX, float scaleY);
/// An offset added to every draw position (0, 0 at first).
///@{
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
///@}
/// The point of every drawing placed at its draw position.
///@{
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
///@}
/// Clips drawing to a rectangle in virtual coordinates.
///@{
void SetViewport(int x, int y, int width, int height);
void GetViewport(int& x, int& y, int& width, int& height);
///@}
/// The size in virtual units that the whole device shows, whatever its
/// pixels; drawing, the viewport and VirtualMouseX/Y use these units.
///@{
void SetVirtualResolution(float width, float height);
float VirtualResolutionWidth();
float VirtualResolutionHeight();
///@}
/// The mouse position in virtual units.
///@{
float VirtualMouseX();
float VirtualMouseY();
///@}
/// The colour made transparent when pictures without alpha are loaded.
///@{
void SetMaskColor(int red, int green, int blue);
void GetMaskColor(int& red, int& green, int& blue);
///@}

/// One point at (x, y), not transformed.
void Plot(float x, float y);
/// A filled rectangle or oval of width x height from (x, y), placed by the
/// handle, rotated and scaled.
///@{
void DrawRect(float x, float y, float width, float height);
void DrawOval(float x, float y, float width, float height);
///@}
/// A line; with drawLastPixel the end point is plotted too.
void DrawLine(float x, float y, float x2, float y2, int drawLastPixel = 1);
/// A filled polygon of (x, y) pairs.
void DrawPoly(const std::vector<float>& xy);
/// Copies pixels to the back buffer at (x, y), untransformed.
void DrawPixmap(const Ref<TPixmap>& pixmap, int x, int y);
/// Reads back a rectangle of the back buffer.
Ref<TPixmap> GrabPixmap(int x, int y, int width, int height);

}  // namespace vellum
#pragma GCC visibility pop
