#pragma once
/// \file
/// Graphics contexts: a window or full-screen display with a rendering
/// context and a back buffer, opened through the current graphics driver and
/// presented once per frame.

#include <cstdint>
#include <vector>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Flags of graphics contexts: the buffers a context asks for, and how full
/// screen behaves.
enum : int {
    GF_BACKBUFFER = 2,     ///< a back buffer to draw into, shown by Flip
    GF_ALPHABUFFER = 4,    ///< an alpha channel in the frame buffer
    GF_DEPTHBUFFER = 8,    ///< a depth buffer
    GF_STENCILBUFFER = 16, ///< a stencil buffer
    GF_ACCUMBUFFER = 32,   ///< an accumulation buffer
    /// Full screen: where the display has no mode of the size asked for, cover
    /// the desktop in its own mode (GraphicsWidth and GraphicsHeight tell its
    /// size) instead of failing.
    GF_DESKTOPFALLBACK = 64,
};

class TGraphicsDriver;

/// A graphics context: a window or a full-screen display to draw into.
class TGraphics : public TObject {
public:
    /// The driver that made this context.
    virtual Ref<TGraphicsDriver> Driver() = 0;
    /// The context's size in pixels, its depth (0 for a window), refresh rate and GF_ flags.
    virtual void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) = 0;
    /// Releases the context; further use is invalid.
    virtual void Close() = 0;
};

/// A display mode: size in pixels, bits per pixel and refresh rate.
class TGraphicsMode : public TObject {
public:
    ///@{
    /// The mode's size, depth and refresh rate.
    int width = 0, height = 0, depth = 0, hertz = 0;
    ///@}
    /// "640,480,32 60Hz"
    String ToString() const;
};

/// Makes graphics contexts and presents them: the platform's window system
/// and rendering API behind one interface.
class TGraphicsDriver : public TObject {
public:
    /// The full-screen modes the display offers.
    virtual std::vector<Ref<TGraphicsMode>> GraphicsModes() = 0;
    /// A context drawing into an existing native window.
    virtual Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) = 0;
    /// A new context; depth 0 opens a window, any other depth full screen.
    virtual Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) = 0;
    /// Makes g current for rendering (Null: none).
    virtual void SetGraphics(const Ref<TGraphics>& g) = 0;
    /// Presents the back buffer of the current context.
    virtual void Flip(int sync) = 0;
};

/// Installs the driver with its default flags; bumps graphicsSeq.
void SetGraphicsDriver(Ref<TGraphicsDriver> driver, int defaultFlags = GF_BACKBUFFER);
/// The current graphics driver.
Ref<TGraphicsDriver> GetGraphicsDriver();
/// The GF_ flags every context of the current driver gets.
int DefaultGraphicsFlags();

/// The driver's display modes, cached until the driver changes.
std::vector<Ref<TGraphicsMode>> GraphicsModes();
/// The number of display modes.
int CountGraphicsModes();
/// The fields of mode index; false (fields untouched) when index is out of range.
bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz);
/// 1 if a mode matches every non-zero argument.
int GraphicsModeExists(int width, int height, int depth, int hertz);

/// A new context from the current driver, or Null (driver errors are caught).
Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags);
/// A context drawing into an existing native window, or Null.
Ref<TGraphics> AttachGraphics(intptr_t widget, int flags);
/// Why the last CreateGraphics, AttachGraphics or OpenGraphics gave Null, in
/// words and with the platform's own reason where it gave one; empty after
/// one that succeeded.
String GraphicsFailure();
/// Drivers say here why they make no context, before they return Null or raise.
void SetGraphicsFailure(const String& reason);
/// Makes g current (Null: none) and takes its settings.
void SetGraphics(const Ref<TGraphics>& g);
/// Closes g; when it was current, no context is current afterwards.
void CloseGraphicsContext(const Ref<TGraphics>& g);
/// The current context, Null when there is none.
Ref<TGraphics> CurrentGraphics();
/// The current context's settings: size in pixels, depth (0 for a window),
/// refresh rate and GF_ flags; all 0 without a context.
///@{
int GraphicsWidth();
int GraphicsHeight();
int GraphicsDepth();
int GraphicsHertz();
int GraphicsFlags();
///@}

/// Opens and selects the program's context: a window when depth is 0, else
/// full screen. Null when it cannot be made.
Ref<TGraphics> OpenGraphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
/// Runs the flip hook and presents the frame: sync 0 or 1 directly, -1 paced
/// by the context (sleeping in a window, vertical sync in full screen).
void Flip(int sync = -1);
/// Closes the context opened by OpenGraphics.
void CloseGraphics();

/// The hook run on every Flip.
int FlipHookId();
/// The graphics sequence number: changes (never to 0) whenever contexts may
/// have become invalid, so resources made for older contexts can be renewed.
int GraphicsSeq();

/// Starts the graphics module. A program that chooses no driver gets the
/// OpenGL 2D driver on first use.
void InitGraphicsModule();

}  // namespace vellum
#pragma GCC visibility pop
