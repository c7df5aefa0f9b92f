#pragma once
// Timing helpers shared by the benchmarks.

#include <time.h>

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;

// A duration in milliseconds.
inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Processor time used by the calling thread, in milliseconds.
inline double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

}  // namespace bench
