#pragma once
// The OpenGL window driver's classes: a TGLGraphics is a native window (or
// full-screen display) with an OpenGL rendering context. Its public
// functions are in graphics/glgraphics.h.

#include <memory>

#include "graphics/glgraphics.h"

namespace vellum {

// The platform's window and OpenGL context behind a TGLGraphics.
struct NativeGLContext;
// Closing a native context destroys its OpenGL context, and its window
// unless the window was attached from outside.
struct NativeGLContextCloser {
    void operator()(NativeGLContext* context) const;
};
using NativeGLContextPtr = std::unique_ptr<NativeGLContext, NativeGLContextCloser>;

class TGLGraphics : public TGraphics {
public:
    explicit TGLGraphics(NativeGLContextPtr context) : _context(std::move(context)) {}

    Ref<TGraphicsDriver> Driver() override;
    void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
    // Closes the native context once; later calls do nothing.
    void Close() override;
    // The native context, Null once closed.
    NativeGLContext* NativeContext() const { return _context.get(); }

private:
    NativeGLContextPtr _context;
};

class TGLGraphicsDriver : public TGraphicsDriver {
public:
    std::vector<Ref<TGraphicsMode>> GraphicsModes() override;
    Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) override;
    Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) override;
    void SetGraphics(const Ref<TGraphics>& g) override;
    void Flip(int sync) override;
};

}  // namespace vellum
