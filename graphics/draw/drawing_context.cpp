#include "draw/drawing_state.h"
#include "graphics/image_font.h"

namespace vellum {

DrawingState& Drawing() {
    static auto* state = new DrawingState;  // lives for the whole run
    return *state;
}

Ref<TGraphicsDriver> TVel2DGraphics::Driver() { return _driver; }

void TVel2DGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
    width = height = depth = hertz = flags = 0;
    if (_graphics) _graphics->GetSettings(width, height, depth, hertz, flags);
}

void TVel2DGraphics::Close() {
    if (!_graphics) return;
    _graphics->Close();
    _graphics = nullptr;
    _driver = nullptr;
}

void TVel2DGraphics::Validate() {
    int width, height, depth, hertz, flags;
    GetSettings(width, height, depth, hertz, flags);
    if (width != g_width || height != g_height) {
        g_width = width;
        g_height = height;
        vres_width = static_cast<float>(width);
        vres_height = static_cast<float>(height);
        vres_mousexscale = vres_mouseyscale = 1.0f;
    }
    SetVirtualResolution(vres_width, vres_height);
    SetBlend(blend_mode);
    SetColor(color_red, color_green, color_blue);
    SetAlpha(color_alpha);
    SetClsColor(clscolor_red, clscolor_green, clscolor_blue);
    SetLineWidth(line_width);
    SetRotation(tform_rot);
    SetScale(tform_scale_x, tform_scale_y);
    SetViewport(viewport_x, viewport_y, viewport_w, viewport_h);
    SetOrigin(origin_x, origin_y);
    SetHandle(-handle_x, -handle_y);
    SetImageFont(image_font);
}

void TVel2DGraphics::MakeCurrent() {
    auto& state = Drawing();
    state.context = Cast<TVel2DGraphics>(shared_from_this());
    state.driver = _driver;
    Validate();
    if (!_setup) {
        // Both buffers start cleared to the clear colour.
        Cls();
        Flip(0);
        Cls();
        Flip(0);
        _setup = 1;
    }
}

Ref<TVel2DGraphics> TVel2DGraphics::Create(Ref<TGraphics> g, Ref<TVel2DDriver> driver) {
    auto& state = Drawing();
    if (!state.defaultFont) state.defaultFont = TImageFont::CreateDefault();
    auto context = New<TVel2DGraphics>();
    int width, height, depth, hertz, flags;
    g->GetSettings(width, height, depth, hertz, flags);
    context->viewport_w = context->g_width = width;
    context->viewport_h = context->g_height = height;
    context->vres_width = static_cast<float>(width);
    context->vres_height = static_cast<float>(height);
    context->image_font = state.defaultFont;
    context->_graphics = std::move(g);
    context->_driver = std::move(driver);
    return context;
}

Ref<TVel2DGraphics> TVel2DGraphics::Current() { return Drawing().context; }

void TVel2DGraphics::ClearCurrent() {
    auto& state = Drawing();
    state.context = nullptr;
    state.driver = nullptr;
}

}  // namespace vellum
