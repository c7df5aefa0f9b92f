// Periodic platform timers on SDL's timer thread. The callback only posts a
// main-thread call; every timer state change happens on the main thread.

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "main_thread_call.h"
#include "sdl/native_events_sdl.h"
#include "platform_timer.h"

namespace vellum {

namespace {

// SDL schedules a timer's next call from the end of the previous one, which
// drifts late; each call instead returns the time left to its place in the
// exact schedule start + n × period.
struct Schedule {
    SDL_TimerID sdlId = 0;
    Uint64 start = 0;
    Uint64 period = 0;
    Uint64 calls = 0;
};

struct TimerTable {
    std::mutex lock;  // shared by the timer thread and the main thread
    std::unordered_map<int, Schedule> schedules;
    // Our own ids, never reused, so a tick still queued for a stopped timer
    // can never be taken for a tick of a newer one.
    int lastId = 0;
};

TimerTable& Table() {
    static auto* table = new TimerTable;  // lives for the whole run
    return *table;
}

Uint32 OnTick(Uint32, void* param) {
    int id = static_cast<int>(reinterpret_cast<intptr_t>(param));
    Uint32 next;
    {
        auto& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        auto it = table.schedules.find(id);
        if (it == table.schedules.end()) return 0;  // stopped meanwhile: no further calls
        Schedule& s = it->second;
        ++s.calls;
        Uint64 due = s.start + (s.calls + 1) * s.period;
        Uint64 now = SDL_GetTicks64();
        next = due > now ? static_cast<Uint32>(due - now) : 1;
    }
    PostMainThreadCall(DeliverTimerTick, id);
    return next;
}

}  // namespace

int StartPeriodicTimer(int periodMs) {
    if (!StartSDLEvents() || periodMs < 1) return 0;
    auto& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    int id = ++table.lastId;
    Schedule& s = table.schedules[id];
    s.start = SDL_GetTicks64();
    s.period = static_cast<Uint64>(periodMs);
    // The first call cannot run before the lock is released.
    s.sdlId = SDL_AddTimer(static_cast<Uint32>(periodMs), OnTick, reinterpret_cast<void*>(intptr_t{id}));
    if (!s.sdlId) {
        table.schedules.erase(id);
        return 0;
    }
    return id;
}

void StopPeriodicTimer(int id) {
    auto& table = Table();
    SDL_TimerID sdlId;
    {
        std::lock_guard<std::mutex> guard(table.lock);
        auto it = table.schedules.find(id);
        if (it == table.schedules.end()) return;
        sdlId = it->second.sdlId;
        table.schedules.erase(it);  // a call already running now returns 0
    }
    SDL_RemoveTimer(sdlId);
}

}  // namespace vellum
