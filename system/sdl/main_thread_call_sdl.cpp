#include <mutex>

#include "main_thread_call.h"
#include "sdl/native_events_sdl.h"

namespace vellum {

namespace {

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

// A call travels inside the SDL event itself: the function in data1, the
// argument in code. Nothing is allocated, so nothing can leak when the queue
// is full or discarded.
void PostMainThreadCall(TMainThreadFunction function, int argument) {
    if (callEventType == static_cast<Uint32>(-1)) return;
    SDL_Event event{};
    event.type = callEventType;
    event.user.code = argument;
    event.user.data1 = reinterpret_cast<void*>(function);
    // SDL's queue is thread-safe; a full queue drops the call like a lost tick.
    SDL_PushEvent(&event);
}

bool RunMainThreadCall(const SDL_Event& event) {
    if (event.type != callEventType) return false;
    reinterpret_cast<TMainThreadFunction>(event.user.data1)(event.user.code);
    return true;
}

void DiscardMainThreadCalls() {
    if (callEventType != static_cast<Uint32>(-1)) SDL_FlushEvent(callEventType);
}

}  // namespace vellum
