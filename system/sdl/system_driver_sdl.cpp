// The system driver over SDL: pumps SDL's event queue, runs main-thread
// calls, moves and hides the pointer and shows message boxes.

#include <cstdio>
#include <cstdlib>

#include "system_driver_seam.h"
#include "runtime/app.h"
#include "runtime/exit_functions.h"
#include "desktop_requests.h"
#include "sdl/native_events_sdl.h"
#include "system/window_events.h"
#include "platform_system_driver.h"

namespace vellum {

namespace {

enum { kYes = 6, kNo = 7, kOk = 1, kCancel = 2 };

std::vector<TWindowFocusHandler>& FocusHandlers() {
    static auto* handlers = new std::vector<TWindowFocusHandler>;  // lives for the whole run
    return *handlers;
}

void TellFocusHandlers(const SDL_WindowEvent& event) {
    int change = event.event == SDL_WINDOWEVENT_FOCUS_GAINED ? WINDOW_FOCUS_GAINED
                 : event.event == SDL_WINDOWEVENT_FOCUS_LOST ? WINDOW_FOCUS_LOST
                                                              : 0;
    if (!change) return;
    for (auto handler : FocusHandlers()) handler(event.windowID, change);
}

void Dispatch(const SDL_Event& event) {
    if (RunMainThreadCall(event)) return;
    TranslateSDLEvent(event);
    if (event.type == SDL_WINDOWEVENT) TellFocusHandlers(event.window);
}

// Automated runs (VELLUM_NO_DIALOGS=1) never block on a box: the text goes to
// standard error and the box answers with its cancelling button.
bool DialogsSuppressed() {
    const char* setting = std::getenv("VELLUM_NO_DIALOGS");
    return setting && *setting && *setting != '0';
}

int ShowBox(const String& text, int serious, std::initializer_list<SDL_MessageBoxButtonData> buttons,
            int suppressedAnswer) {
    std::string caption = ToUtf8(AppTitle()), message = ToUtf8(text);
    if (DialogsSuppressed()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
        return suppressedAnswer;
    }
    SDL_Window* focused = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetKeyboardFocus() : nullptr;
    SDL_MessageBoxData box{};
    box.flags = serious ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    box.window = focused;
    box.title = caption.c_str();
    box.message = message.c_str();
    box.numbuttons = static_cast<int>(buttons.size());
    box.buttons = buttons.begin();
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
        return 0;
    }
    if (focused) SDL_RaiseWindow(focused);
    return pressed;
}

class TSDLSystemDriver : public TSystemDriver {
public:
    void Poll() override {
        SDL_Event event;
        while (SDL_PollEvent(&event)) Dispatch(event);
    }

    void Wait() override {
        SDL_WaitEvent(nullptr);  // leaves the event queued for Poll
        Poll();
    }

    void MoveMouse(int x, int y) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
        if (SDL_Window* active = SDL_GetKeyboardFocus())
            SDL_WarpMouseInWindow(active, x, y);
        else
            SDL_WarpMouseGlobal(x, y);
    }

    void SetMouseVisible(int visible) override { SetPointerVisible(visible != 0); }

    int Notify(const String& text, int serious) override {
        return ShowBox(text, serious, {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kOk, "OK"}}, kOk);
    }

    int Confirm(const String& text, int serious) override {
        int pressed = ShowBox(text, serious,
                              {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kOk, "OK"},
                               {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancel, "Cancel"}},
                              kCancel);
        return pressed == kOk ? 1 : 0;
    }

    int Proceed(const String& text, int serious) override {
        int pressed = ShowBox(text, serious,
                              {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYes, "Yes"},
                               {0, kNo, "No"},
                               {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancel, "Cancel"}},
                              kCancel);
        return pressed == kYes ? 1 : pressed == kNo ? 0 : -1;
    }

    String RequestFile(const String& text, const String& extensions, int save, const String& path) override {
        return DesktopRequestFile(text, extensions, save, path);
    }

    String RequestDir(const String& text, const String& path) override { return DesktopRequestDir(text, path); }

    int OpenURL(const String& url) override { return DesktopOpenURL(url); }
};

}  // namespace

bool StartPlatformEvents() { return StartSDLEvents(); }

void AddWindowFocusHandler(TWindowFocusHandler handler) { FocusHandlers().push_back(handler); }

Ref<TSystemDriver> CreateNativeSystemDriver() {
    if (!StartSDLEvents()) {
        std::fprintf(stderr, "unable to start SDL: %s\n", SDL_GetError());
        return nullptr;
    }
    StartSDLGamepads();
    // Windows are closed by their own exit functions; the display connection
    // is left to the process exit, since closing it unloads the OpenGL driver
    // while its allocations are still live.
    AddExitFunction([] {
        DiscardMainThreadCalls();
        SDL_QuitSubSystem(SDL_INIT_TIMER | SDL_INIT_EVENTS);
    });
    return New<TSDLSystemDriver>();
}

}  // namespace vellum
