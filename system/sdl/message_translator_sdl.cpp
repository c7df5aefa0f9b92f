// Turns SDL's window, keyboard and mouse events into engine events with the
// ids, data, modifiers and coordinates the rest of the engine expects.

#include "runtime/string.h"
#include "system/event.h"
#include "sdl/native_events_sdl.h"

namespace vellum {

namespace {

struct TranslatorState {
    int mods = 0;                    // 1 Shift, 2 Control, 4 Alt, 8 system key
    bool pointerVisible = true;
    Uint32 trackedWindow = 0;        // id of the window the pointer is inside, 0 for none
    Ref<TObject> trackedSource;
    bool appActive = false;          // one of the program's windows has the focus
};

TranslatorState& State() {
    static auto* state = new TranslatorState;  // lives for the whole run
    return *state;
}

void Raise(int id, int data, int x = 0, int y = 0, Ref<TObject> extra = nullptr) {
    MakeEvent(id, nullptr, data, State().mods, x, y, std::move(extra))->Emit();
}

void UpdateCursorVisibility() {
    auto& s = State();
    // Hiding affects only the pointer over the program's own windows.
    SDL_ShowCursor(s.pointerVisible || !s.trackedWindow ? SDL_ENABLE : SDL_DISABLE);
}

void PointerInWindow(SDL_Window* window, int* x, int* y) {
    int gx, gy, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    if (window) SDL_GetWindowPosition(window, &wx, &wy);
    *x = gx - wx;
    *y = gy - wy;
}

// Follows the pointer from window to window, emitting leave then enter.
void TrackMouseWindow(Uint32 window, int x, int y, Ref<TObject> source) {
    auto& s = State();
    if (window == s.trackedWindow) return;
    if (s.trackedWindow) {
        int lx, ly;
        PointerInWindow(SDL_GetWindowFromID(s.trackedWindow), &lx, &ly);
        MakeEvent(EVENT_MOUSELEAVE, s.trackedSource, 0, 0, lx, ly)->Emit();
        s.trackedSource = nullptr;
    }
    s.trackedWindow = window;
    UpdateCursorVisibility();
    if (window) {
        s.trackedSource = source;
        MakeEvent(EVENT_MOUSEENTER, std::move(source), 0, 0, x, y)->Emit();
    }
}

bool IsModifier(SDL_Scancode scancode) {
    return (scancode >= SDL_SCANCODE_LCTRL && scancode <= SDL_SCANCODE_RGUI);
}

int ModifierMask(Uint16 sdlMods) {
    return (sdlMods & KMOD_SHIFT ? 1 : 0) | (sdlMods & KMOD_CTRL ? 2 : 0) | (sdlMods & KMOD_ALT ? 4 : 0) |
           (sdlMods & KMOD_GUI ? 8 : 0);
}

int ButtonNumber(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
    }
}

// Another of the program's windows is about to take the focus.
bool FocusMovesWithinProgram(Uint32 losingWindow) {
    SDL_Event pending[32];
    int n = SDL_PeepEvents(pending, 32, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < n; ++i)
        if (pending[i].window.event == SDL_WINDOWEVENT_FOCUS_GAINED && pending[i].window.windowID != losingWindow)
            return true;
    return false;
}

void TranslateWindowEvent(const SDL_WindowEvent& e) {
    auto& s = State();
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
        SDL_Window* window = SDL_GetWindowFromID(e.windowID);
        if (s.appActive || (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED))) return;
        s.appActive = true;
        Raise(EVENT_APPRESUME, 0);
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (!s.appActive || FocusMovesWithinProgram(e.windowID)) return;
        s.appActive = false;
        Raise(EVENT_APPSUSPEND, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE: Raise(EVENT_APPTERMINATE, 0); break;
    case SDL_WINDOWEVENT_LEAVE:
        if (e.windowID == s.trackedWindow) TrackMouseWindow(0, 0, 0, nullptr);
        break;
    default: break;
    }
}

void TranslateKey(const SDL_KeyboardEvent& e) {
    if (IsModifier(e.keysym.scancode)) State().mods = ModifierMask(e.keysym.mod);
    int key = VirtualKeyFromScancode(e.keysym.scancode);
    if (key < 1 || key > 255) return;
    if (e.type == SDL_KEYUP)
        Raise(EVENT_KEYUP, key);
    else
        Raise(e.repeat ? EVENT_KEYREPEAT : EVENT_KEYDOWN, key);
}

void TranslateText(const SDL_TextInputEvent& e) {
    for (char16_t unit : FromUtf8(e.text)) Raise(EVENT_KEYCHAR, unit);
}

void TranslateMotion(const SDL_MouseMotionEvent& e) {
    int data = e.state & SDL_BUTTON_RMASK ? 2 : e.state & SDL_BUTTON_MMASK ? 4 : e.state & SDL_BUTTON_LMASK ? 1 : 0;
    int width = 0, height = 0;
    if (SDL_Window* window = SDL_GetWindowFromID(e.windowID)) SDL_GetWindowSize(window, &width, &height);
    bool inside = e.x >= 0 && e.y >= 0 && e.x < width && e.y < height;
    TrackMouseWindow(inside ? e.windowID : 0, e.x, e.y, nullptr);
    Raise(EVENT_MOUSEMOVE, data, e.x, e.y);
}

void TranslateButton(const SDL_MouseButtonEvent& e) {
    int button = ButtonNumber(e.button);
    if (!button) return;
    // Capture keeps the button's release coming even outside the window.
    SDL_CaptureMouse(e.type == SDL_MOUSEBUTTONDOWN ? SDL_TRUE : SDL_FALSE);
    Raise(e.type == SDL_MOUSEBUTTONDOWN ? EVENT_MOUSEDOWN : EVENT_MOUSEUP, button, e.x, e.y);
}

void TranslateWheel(const SDL_MouseWheelEvent& e) {
    int steps = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
    Raise(EVENT_MOUSEWHEEL, steps, e.mouseX, e.mouseY);
}

}  // namespace

void TranslateSDLEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key); break;
    case SDL_TEXTINPUT: TranslateText(event.text); break;
    case SDL_MOUSEMOTION: TranslateMotion(event.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button); break;
    case SDL_MOUSEWHEEL: TranslateWheel(event.wheel); break;
    default: TranslateGamepadEvent(event); break;
    }
}

void SetPointerVisible(bool visible) {
    State().pointerVisible = visible;
    UpdateCursorVisibility();
}

}  // namespace vellum
