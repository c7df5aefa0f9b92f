// Frame pacing: how regularly a 60 Hz timer wakes WaitTimer, what waiting
// costs, and the frame period of Flip(-1) in a window.
//   bench_frame_pacing            (needs a display for the Flip part)

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_clock.h"
#include "graphics/glgraphics.h"
#include "system/timer.h"

using namespace vellum;
using bench::Clock;
using bench::Ms;

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void MeasureTimer() {
    const int kTicks = 600;
    auto created = Clock::now();
    auto timer = CreateTimer(60);
    if (!timer) {
        std::puts("timer: unavailable");
        return;
    }
    WaitTimer(timer);
    auto start = Clock::now();
    int startTicks = TimerTicks(timer);
    double cpuStart = CpuSeconds();
    std::vector<double> lateness;
    while (TimerTicks(timer) - startTicks < kTicks) {
        WaitTimer(timer);
        // Tick n is due n × 16 ms after the timer was made; drift would show
        // up as growing lateness.
        auto due = created + std::chrono::milliseconds(16) * TimerTicks(timer);
        lateness.push_back(Ms(Clock::now() - due));
    }
    double wall = Ms(Clock::now() - start) / 1000.0;
    double cpu = CpuSeconds() - cpuStart;
    StopTimer(timer);
    std::sort(lateness.begin(), lateness.end());
    std::printf("timer: %d ticks in %.3f s = %.2f ticks/s (16 ms period: 62.5 expected)\n", kTicks, wall,
                kTicks / wall);
    std::printf("timer: WaitTimer lateness median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                lateness[lateness.size() / 2], lateness[lateness.size() * 99 / 100], lateness.back());
    std::printf("timer: CPU while waiting %.2f %% of a core\n", 100.0 * cpu / wall);
}

void MeasureFlip() {
    if (!std::getenv("DISPLAY")) {
        std::puts("flip: skipped (no DISPLAY)");
        return;
    }
    InitGLGraphicsModule();
    if (!OpenGraphics(320, 240, 0, 60, 0)) {
        std::puts("flip: no window");
        return;
    }
    const int kFrames = 300;
    Flip(-1);
    auto start = Clock::now();
    for (int i = 0; i < kFrames; ++i) Flip(-1);
    double period = Ms(Clock::now() - start) / kFrames;
    std::printf("flip: Flip(-1) average period %.3f ms over %d frames (1000/60 = 16.667 ms, off by %.2f %%)\n",
                period, kFrames, 100.0 * (period - 1000.0 / 60) / (1000.0 / 60));
    CloseGraphics();
}

}  // namespace

int main() {
    InitGraphicsModule();
    MeasureTimer();
    MeasureFlip();
    return 0;
}
