#include <mutex>

#include "system/main_thread_call.h"
#include "sdl/native_events_sdl.h"

namespace vellum {

namespace {

struct MainThreadCall {
    TMainThreadFunction function;
    TObject* object;
    int argument;
};

Uint32 callEventType = static_cast<Uint32>(-1);

}  // namespace

bool StartSDLEvents() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        // Ctrl+C and kill end the program the ordinary way.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started = SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) == 0;
        if (started) callEventType = SDL_RegisterEvents(1);
    });
    return started && callEventType != static_cast<Uint32>(-1);
}

void PostMainThreadCall(TMainThreadFunction function, TObject* object, int argument) {
    if (callEventType == static_cast<Uint32>(-1)) return;
    SDL_Event event{};
    event.type = callEventType;
    event.user.data1 = new MainThreadCall{function, object, argument};
    // SDL's queue is thread-safe; a full queue drops the call like a lost tick.
    if (SDL_PushEvent(&event) != 1) delete static_cast<MainThreadCall*>(event.user.data1);
}

bool RunMainThreadCall(const SDL_Event& event) {
    if (event.type != callEventType) return false;
    auto* call = static_cast<MainThreadCall*>(event.user.data1);
    MainThreadCall copy = *call;
    delete call;
    copy.function(copy.object, copy.argument);
    return true;
}

void DiscardMainThreadCalls() {
    if (callEventType == static_cast<Uint32>(-1)) return;
    SDL_Event events[64];
    int n;
    while ((n = SDL_PeepEvents(events, 64, SDL_GETEVENT, callEventType, callEventType)) > 0)
        for (int i = 0; i < n; ++i) delete static_cast<MainThreadCall*>(events[i].user.data1);
}

}  // namespace vellum
