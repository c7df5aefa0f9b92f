#pragma once
// Helpers for tests that drive a real X display: shell tools (xdotool,
// xprop, xwininfo) and bounded waits while the engine pumps its events.

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

#include "shell_util.h"
#include "system/system_driver.h"

namespace testutil {

// Pumps system events until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& condition, int ms = 3000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        vellum::PollSystemEvents();
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// Pumps system events for a while, to let the X server's events arrive.
inline void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

// The X window id of this process's visible window with the given class.
inline std::string OurWindow() {
    return Shell("xdotool search --onlyvisible --pid " + std::to_string(getpid()) + " 2>/dev/null | head -n 1");
}

}  // namespace testutil
