// The OpenGL window driver's native layer over SDL: one SDL window and one
// OpenGL context per record, full-screen display modes tied to the focus.
// It reaches OpenGL only through SDL; where a context is current afterwards
// (binding, swap interval, swap), the test build checks for OpenGL errors.

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "context/glgraphics_native.h"
#include "graphics/graphics.h"
#include "context/gl_check.h"
#include "runtime/app.h"
#include "runtime/exception.h"
#include "system/window_events.h"

namespace vellum {

enum NativeMode { kHiddenShared = 0, kAttached = 1, kWindowed = 2, kFullScreen = 3 };

// Owns its window (unless attached to someone else's) and its OpenGL context.
struct NativeGLContext {
    int mode = kWindowed;
    int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
    int swapInterval = 0;  // what the display mode allows in full screen
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;

    NativeGLContext() = default;
    NativeGLContext(const NativeGLContext&) = delete;
    NativeGLContext& operator=(const NativeGLContext&) = delete;
    ~NativeGLContext() {
        if (context) SDL_GL_DeleteContext(context);
        if (window && mode != kAttached) SDL_DestroyWindow(window);
    }
};

namespace {

// A record not yet handed out: destroyed with its window if creation fails.
using PendingContext = std::unique_ptr<NativeGLContext>;

struct NativeState {
    std::vector<NativeGLContext*> contexts;  // every open context (owned by its TGLGraphics)
    PendingContext shared;                   // the optional hidden context, kept for the whole run
    NativeGLContext* current = nullptr;
    SDL_Window* modeOwner = nullptr;      // full-screen window whose display mode is in force
    bool videoStarted = false;
};

NativeState& State() {
    static auto* state = new NativeState;  // lives for the whole run
    return *state;
}

NativeGLContext* FindByWindow(Uint32 windowId) {
    for (NativeGLContext* c : State().contexts)
        if (c->window && SDL_GetWindowID(c->window) == windowId) return c;
    return nullptr;
}

// Focus decides the display mode of a full-screen window: SDL switches the
// mode and minimises on focus loss; we keep the matching swap interval.
void OnWindowFocus(std::uint32_t windowId, int change) {
    NativeGLContext* c = FindByWindow(windowId);
    if (!c || c->mode != kFullScreen) return;
    auto& s = State();
    if (change == WINDOW_FOCUS_GAINED) {
        if (s.modeOwner == c->window) return;
        s.modeOwner = c->window;
        if (s.current == c) GL_CALL(SDL_GL_SetSwapInterval(c->swapInterval));
    } else {
        if (s.modeOwner != c->window) return;
        s.modeOwner = nullptr;
        if (s.current == c) GL_CALL(SDL_GL_SetSwapInterval(0));
    }
}

// Records why no context could be had, with SDL's own words when it has any.
void Explain(const std::string& what) {
    std::string reason = SDL_GetError();
    SetGraphicsFailure(FromUtf8(reason.empty() ? what : what + " (SDL: " + reason + ")"));
}

// Why the window system did not start: most often there is no display.
std::string DisplayProblem() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (x11 && *x11) return "the display \"" + std::string(x11) + "\" cannot be opened";
    if (wayland && *wayland) return "the display \"" + std::string(wayland) + "\" cannot be opened";
    return "there is no display to open a window on: DISPLAY is not set";
}

// The window systems to try, unless the user names some in SDL_VIDEODRIVER:
// every one SDL has but those that show nothing, so that a program without
// a display fails instead of running on unseen. Wayland only where a
// compositor says it runs, which spares a line on standard error.
void ChooseVideoDrivers() {
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        std::string name = SDL_GetVideoDriver(i);
        if (name == "offscreen" || name == "dummy" || name == "evdev") continue;
        if (name == "wayland" && !std::getenv("WAYLAND_DISPLAY")) continue;
        drivers += (drivers.empty() ? "" : ",") + name;
    }
    if (!drivers.empty()) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, drivers.c_str(), SDL_HINT_DEFAULT);
}

bool StartVideo() {
    auto& s = State();
    if (s.videoStarted) return true;
    if (!StartPlatformEvents()) {
        Explain("the window system's events cannot start");
        return false;
    }
    // The X11 window class of the program's windows.
    setenv("SDL_VIDEO_X11_WMCLASS", "Vellum GLGraphics", 1);
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    ChooseVideoDrivers();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        Explain(DisplayProblem());
        return false;
    }
    AddWindowFocusHandler(OnWindowFocus);
    s.videoStarted = true;
    return true;
}

int DepthOf(Uint32 format) {
    // 24-bit colour stored in 32-bit pixels is reported as 32 bits per pixel.
    return SDL_BYTESPERPIXEL(format) == 4 ? 32 : SDL_BITSPERPIXEL(format);
}

void SetPixelFormat(int flags) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, flags & 2 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, flags & 4 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, flags & 8 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, flags & 16 ? 1 : 0);
    for (SDL_GLattr accum : {SDL_GL_ACCUM_RED_SIZE, SDL_GL_ACCUM_GREEN_SIZE, SDL_GL_ACCUM_BLUE_SIZE})
        SDL_GL_SetAttribute(accum, flags & 32 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, State().shared ? 1 : 0);
}

// The display mode for full screen at the requested size: the requested
// refresh rate if the display has it (swap interval 1), else any (0).
// False when the display has no mode of that size.
bool ChooseFullScreenMode(int width, int height, int hertz, SDL_DisplayMode& chosen, int& swapInterval) {
    int count = SDL_GetNumDisplayModes(0);
    for (bool exactRate : {true, false}) {
        if (exactRate && !hertz) continue;
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
            if (mode.w != width || mode.h != height) continue;
            if (exactRate && mode.refresh_rate != hertz) continue;
            swapInterval = exactRate ? 1 : 0;
            chosen = mode;
            return true;
        }
    }
    return false;
}

// Creates the OpenGL context of a record whose window exists, sharing with
// the hidden context when there is one. Null (and the record gone) on failure.
PendingContext FinishContext(PendingContext c) {
    auto& s = State();
    if (s.shared) SDL_GL_MakeCurrent(s.shared->window, s.shared->context);
    c->context = SDL_GL_CreateContext(c->window);
    if (!c->context) Explain("the display gives no OpenGL context");
    // Creating a context binds it: restore what was current.
    if (s.current)
        GL_CALL(SDL_GL_MakeCurrent(s.current->window, s.current->context));
    else
        SDL_GL_MakeCurrent(nullptr, nullptr);
    if (!c->context) return nullptr;
    return c;
}

// Hands a finished record to its owner and lists it for window events.
NativeGLContextPtr Publish(PendingContext c) {
    if (!c) return nullptr;
    State().contexts.push_back(c.get());
    return NativeGLContextPtr(c.release());
}

}  // namespace

NativeGLContextPtr CreateNativeGLContext(int width, int height, int depth, int hertz, int flags) {
    if (width <= 0 || height <= 0) {
        SetGraphicsFailure(u"a window needs a width and a height above 0");
        return nullptr;
    }
    SDL_ClearError();  // what SDL says afterwards is about this window
    if (!StartVideo()) return nullptr;
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    auto c = std::make_unique<NativeGLContext>();
    c->depth = depth;
    c->hertz = hertz;
    c->flags = flags;
    SDL_DisplayMode mode{};
    Uint32 windowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    int x = 0, y = 0;
    bool exactMode = false;
    if (depth) {
        c->mode = kFullScreen;
        exactMode = ChooseFullScreenMode(width, height, hertz, mode, c->swapInterval);
        // Without a mode of that size the window may cover the desktop in its
        // own mode (GF_DESKTOPFALLBACK); the caller then fits its picture.
        if (!exactMode && !(flags & GF_DESKTOPFALLBACK)) {
            SetGraphicsFailure(FromUtf8("the display has no " + size + " mode"));
            throw TRuntimeException(u"GLGraphicsDriver failed to set display mode");
        }
        windowFlags |= exactMode ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_Rect desktop{};
        if (!exactMode && SDL_GetDisplayBounds(0, &desktop) == 0)
            x = desktop.x, y = desktop.y, width = desktop.w, height = desktop.h;  // also without a window manager
    } else {
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        x = desktop.w / 2 - width / 2;
        y = desktop.h / 2 - height / 2;
    }
    SetPixelFormat(flags);
    std::string title = ToUtf8(AppTitle());
    c->window = SDL_CreateWindow(title.c_str(), x, y, width, height, windowFlags);
    if (!c->window) {
        Explain("the display gives no OpenGL window of " + size);
        return nullptr;
    }
    if (exactMode && SDL_SetWindowDisplayMode(c->window, &mode) != 0) {
        Explain("the display mode " + size + " cannot be set");
        throw TRuntimeException(u"GLGraphicsDriver failed to set display mode");
    }
    SDL_GetWindowSize(c->window, &c->width, &c->height);
    c = FinishContext(std::move(c));
    if (!c) return nullptr;
    SDL_ShowWindow(c->window);
    SDL_RaiseWindow(c->window);
    return Publish(std::move(c));
}

NativeGLContextPtr AttachNativeGLContext(intptr_t window, int flags) {
    if (!window || !StartVideo()) return nullptr;
    SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
    SetPixelFormat(flags);
    auto c = std::make_unique<NativeGLContext>();
    c->mode = kAttached;
    c->flags = flags;
    c->window = SDL_CreateWindowFrom(reinterpret_cast<void*>(window));
    if (!c->window) {
        Explain("the window cannot take an OpenGL context");
        return nullptr;
    }
    SDL_GetWindowSize(c->window, &c->width, &c->height);
    return Publish(FinishContext(std::move(c)));
}

void NativeGLSettings(NativeGLContext* c, int& width, int& height, int& depth, int& hertz, int& flags) {
    if (c->mode == kAttached) SDL_GetWindowSize(c->window, &c->width, &c->height);
    width = c->width;
    height = c->height;
    depth = c->depth;
    hertz = c->hertz;
    flags = c->flags;
}

void MakeNativeGLContextCurrent(NativeGLContext* c) {
    auto& s = State();
    if (c == s.current) return;
    s.current = c;
    if (c)
        GL_CALL(SDL_GL_MakeCurrent(c->window, c->context));
    else if (s.videoStarted)
        SDL_GL_MakeCurrent(nullptr, nullptr);
}

void NativeGLContextCloser::operator()(NativeGLContext* c) const {
    auto& s = State();
    std::erase(s.contexts, c);
    if (s.current == c) MakeNativeGLContextCurrent(nullptr);
    if (s.modeOwner == c->window) s.modeOwner = nullptr;
    delete c;
}

void FlipNativeGL(int sync) {
    NativeGLContext* c = State().current;
    if (!c) return;
    GL_CALL(SDL_GL_SetSwapInterval(sync));
    GL_CALL(SDL_GL_SwapWindow(c->window));
}

std::vector<NativeDisplayMode> NativeDisplayModes(int limit) {
    std::vector<NativeDisplayMode> modes;
    if (!StartVideo()) return modes;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count && static_cast<int>(modes.size()) < limit; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) break;
        int depth = DepthOf(mode.format);
        if (depth >= 16) modes.push_back({mode.w, mode.h, depth, mode.refresh_rate});
    }
    return modes;
}

bool CreateSharedNativeGLContext() {
    auto& s = State();
    if (s.shared) return true;
    if (!StartVideo()) return false;
    SetPixelFormat(2);
    auto c = std::make_unique<NativeGLContext>();
    c->mode = kHiddenShared;
    c->width = c->height = 1;
    c->window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!c->window) return false;
    s.shared = FinishContext(std::move(c));
    return s.shared != nullptr;
}

}  // namespace vellum
