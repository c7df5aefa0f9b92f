#pragma once
// The OpenGL window driver: graphics contexts that are native windows (or
// full-screen displays) with OpenGL rendering contexts.

#include "graphics/graphics.h"

namespace vellum {

struct NativeGLContext;

class TGLGraphics : public TGraphics {
public:
    NativeGLContext* _context = nullptr;  // Null once closed

    ~TGLGraphics() override;
    Ref<TGraphicsDriver> Driver() override;
    void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override;
    void Close() override;
};

class TGLGraphicsDriver : public TGraphicsDriver {
public:
    std::vector<Ref<TGraphicsMode>> GraphicsModes() override;
    Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) override;
    Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) override;
    void SetGraphics(const Ref<TGraphics>& g) override;
    void Flip(int sync) override;
};

// The one OpenGL window driver, created on first use.
Ref<TGLGraphicsDriver> GetGLGraphicsDriver();
// Creates the hidden context whose textures every later context shares;
// false if it cannot be made.
bool EnableGLContextSharing();

// Starts the graphics module and installs the OpenGL window driver.
void InitGLGraphicsModule();

}  // namespace vellum
