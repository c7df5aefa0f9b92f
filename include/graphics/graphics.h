#pragma once
// Graphics contexts: a window or full-screen display with a rendering
// context and a back buffer, opened through the current graphics driver and
// presented once per frame.

#include <cstdint>
#include <vector>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

enum : int {
    GF_BACKBUFFER = 2,
    GF_ALPHABUFFER = 4,
    GF_DEPTHBUFFER = 8,
    GF_STENCILBUFFER = 16,
    GF_ACCUMBUFFER = 32,
    // Full screen: where the display has no mode of the size asked for, cover
    // the desktop in its own mode (GraphicsWidth and GraphicsHeight tell its
    // size) instead of failing.
    GF_DESKTOPFALLBACK = 64,
};

class TGraphicsDriver;

class TGraphics : public TObject {
public:
    // The driver that made this context.
    virtual Ref<TGraphicsDriver> Driver() = 0;
    virtual void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) = 0;
    // Releases the context; further use is invalid.
    virtual void Close() = 0;
};

class TGraphicsMode : public TObject {
public:
    int width = 0, height = 0, depth = 0, hertz = 0;
    // "640,480,32 60Hz"
    String ToString() const;
};

class TGraphicsDriver : public TObject {
public:
    virtual std::vector<Ref<TGraphicsMode>> GraphicsModes() = 0;
    // A context drawing into an existing native window.
    virtual Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) = 0;
    // A new context; depth 0 opens a window, any other depth full screen.
    virtual Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) = 0;
    // Makes g current for rendering (Null: none).
    virtual void SetGraphics(const Ref<TGraphics>& g) = 0;
    // Presents the back buffer of the current context.
    virtual void Flip(int sync) = 0;
};

// Installs the driver with its default flags; bumps graphicsSeq.
void SetGraphicsDriver(Ref<TGraphicsDriver> driver, int defaultFlags = GF_BACKBUFFER);
Ref<TGraphicsDriver> GetGraphicsDriver();
int DefaultGraphicsFlags();

// The driver's display modes, cached until the driver changes.
std::vector<Ref<TGraphicsMode>> GraphicsModes();
int CountGraphicsModes();
// The fields of mode index; false (fields untouched) when index is out of range.
bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz);
// 1 if a mode matches every non-zero argument.
int GraphicsModeExists(int width, int height, int depth, int hertz);

// A new context from the current driver, or Null (driver errors are caught).
Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags);
Ref<TGraphics> AttachGraphics(intptr_t widget, int flags);
// Makes g current (Null: none) and takes its settings.
void SetGraphics(const Ref<TGraphics>& g);
void CloseGraphicsContext(const Ref<TGraphics>& g);
Ref<TGraphics> CurrentGraphics();
int GraphicsWidth();
int GraphicsHeight();
int GraphicsDepth();
int GraphicsHertz();
int GraphicsFlags();

// Opens and selects the program's context: a window when depth is 0, else
// full screen. Null when it cannot be made.
Ref<TGraphics> OpenGraphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
// Runs the flip hook and presents the frame: sync 0 or 1 directly, -1 paced
// by the context (sleeping in a window, vertical sync in full screen).
void Flip(int sync = -1);
// Closes the context opened by OpenGraphics.
void CloseGraphics();

// The hook run on every Flip.
int FlipHookId();
// The graphics sequence number: changes (never to 0) whenever contexts may
// have become invalid, so resources made for older contexts can be renewed.
int GraphicsSeq();

// Starts the graphics module. A program that chooses no driver gets the
// OpenGL 2D driver on first use.
void InitGraphicsModule();

}  // namespace vellum
#pragma GCC visibility pop
