// Prints the libFuzzer options that follow from the load limits, for
// fuzz/run: a single allocation beyond what a load may ask for, or a
// resident set beyond what a load may hold plus the sanitizer's own
// (its quarantine of freed blocks and shadow memory), is a finding.

#include <cstdio>

#include "runtime/load_limits.h"

int main() {
    constexpr long long kMb = 1 << 20;
    constexpr long long kSanitizerMb = 512;
    std::printf("-malloc_limit_mb=%lld -rss_limit_mb=%lld\n", vellum::MAX_LOAD_ALLOCATION_BYTES / kMb,
                vellum::MAX_LOAD_HELD_BYTES / kMb + kSanitizerMb);
    return 0;
}
