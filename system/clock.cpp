#include "system/clock.h"

#include <chrono>
#include <thread>

namespace vellum {

int MilliSecs() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<int>(static_cast<unsigned>(ms));
}

void Delay(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace vellum
