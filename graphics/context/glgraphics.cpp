#include "graphics/glgraphics.h"

#include "context/glgraphics_native.h"

namespace vellum {

TGLGraphics::~TGLGraphics() { Close(); }

Ref<TGraphicsDriver> TGLGraphics::Driver() { return GetGLGraphicsDriver(); }

void TGLGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
    width = height = depth = hertz = flags = 0;
    if (_context) NativeGLSettings(_context, width, height, depth, hertz, flags);
}

void TGLGraphics::Close() {
    if (!_context) return;
    CloseNativeGLContext(_context);
    _context = nullptr;
}

std::vector<Ref<TGraphicsMode>> TGLGraphicsDriver::GraphicsModes() {
    std::vector<Ref<TGraphicsMode>> modes;
    for (const auto& native : NativeDisplayModes(1024)) {
        auto mode = New<TGraphicsMode>();
        mode->width = native.width;
        mode->height = native.height;
        mode->depth = native.depth;
        mode->hertz = native.hertz;
        modes.push_back(mode);
    }
    return modes;
}

Ref<TGraphics> TGLGraphicsDriver::AttachGraphics(intptr_t widget, int flags) {
    NativeGLContext* context = AttachNativeGLContext(widget, flags);
    if (!context) return nullptr;
    auto g = New<TGLGraphics>();
    g->_context = context;
    return g;
}

Ref<TGraphics> TGLGraphicsDriver::CreateGraphics(int width, int height, int depth, int hertz, int flags) {
    NativeGLContext* context = CreateNativeGLContext(width, height, depth, hertz, flags);
    if (!context) return nullptr;
    auto g = New<TGLGraphics>();
    g->_context = context;
    return g;
}

void TGLGraphicsDriver::SetGraphics(const Ref<TGraphics>& g) {
    auto* gl = dynamic_cast<TGLGraphics*>(g.get());
    MakeNativeGLContextCurrent(gl ? gl->_context : nullptr);
}

void TGLGraphicsDriver::Flip(int sync) { FlipNativeGL(sync ? 1 : 0); }

Ref<TGLGraphicsDriver> GetGLGraphicsDriver() {
    static auto* driver = new Ref<TGLGraphicsDriver>(New<TGLGraphicsDriver>());  // lives for the whole run
    return *driver;
}

bool EnableGLContextSharing() { return CreateSharedNativeGLContext(); }

void InitGLGraphicsModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitGraphicsModule();
    SetGraphicsDriver(GetGLGraphicsDriver(), GF_BACKBUFFER);
}

}  // namespace vellum
