#include "context/glgraphics_driver.h"

#include "context/context_start.h"
#include "context/glgraphics_native.h"

namespace vellum {

Ref<TGraphicsDriver> TGLGraphics::Driver() { return GetGLGraphicsDriver(); }

void TGLGraphics::GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) {
    width = height = depth = hertz = flags = 0;
    if (_context) NativeGLSettings(_context.get(), width, height, depth, hertz, flags);
}

void TGLGraphics::Close() { _context.reset(); }

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
    NativeGLContextPtr context = AttachNativeGLContext(widget, flags);
    return context ? New<TGLGraphics>(std::move(context)) : nullptr;
}

Ref<TGraphics> TGLGraphicsDriver::CreateGraphics(int width, int height, int depth, int hertz, int flags) {
    NativeGLContextPtr context = CreateNativeGLContext(width, height, depth, hertz, flags);
    return context ? New<TGLGraphics>(std::move(context)) : nullptr;
}

void TGLGraphicsDriver::SetGraphics(const Ref<TGraphics>& g) {
    auto* gl = dynamic_cast<TGLGraphics*>(g.get());
    MakeNativeGLContextCurrent(gl ? gl->NativeContext() : nullptr);
}

void TGLGraphicsDriver::Flip(int sync) { FlipNativeGL(sync ? 1 : 0); }

Ref<TGraphicsDriver> GetGLGraphicsDriver() {
    static auto* driver = new Ref<TGraphicsDriver>(New<TGLGraphicsDriver>());  // lives for the whole run
    return *driver;
}

bool EnableGLContextSharing() { return CreateSharedNativeGLContext(); }

void InitGLGraphicsModule() {
    static bool started = false;
    if (started) return;
    started = true;
    StartGraphicsContexts();
    SetGraphicsDriver(GetGLGraphicsDriver(), GF_BACKBUFFER);
}

}  // namespace vellum
