#pragma once
// How much memory a piece of test code made the process take at its peak:
// every heap block counted through the sanitizer's allocator hooks (a block
// counts even when its pages are never touched), and the peak resident set
// that the kernel reports, whichever grew more.

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define VELLUM_TEST_ALLOCATOR_HOOKS 1
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* p);
}
#endif

namespace vellum::test {

class PeakMemory {
public:
    // Starts counting from now.
    PeakMemory() {
#ifdef VELLUM_TEST_ALLOCATOR_HOOKS
        static bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
        EXPECT_TRUE(installed);
        _heapBase = Live().load();
        Peak().store(_heapBase);
#endif
        // Writing 5 starts the kernel's peak resident set afresh.
        std::ofstream("/proc/self/clear_refs") << "5";
        _residentBase = StatusBytes("VmRSS:");
    }

    // The most the heap or the resident set grew since the start, in bytes.
    long long Growth() const {
        long long resident = StatusBytes("VmHWM:") - _residentBase;
        long long heap = 0;
#ifdef VELLUM_TEST_ALLOCATOR_HOOKS
        heap = Peak().load() - _heapBase;
#endif
        return resident > heap ? resident : heap;
    }

private:
    static long long StatusBytes(const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field, 0) != 0) continue;
            std::istringstream values(line.substr(field.size()));
            long long kb = 0;
            values >> kb;
            return kb * 1024;
        }
        ADD_FAILURE() << "no " << field << " in /proc/self/status";
        return 0;
    }

#ifdef VELLUM_TEST_ALLOCATOR_HOOKS
    static std::atomic<long long>& Live() {
        static std::atomic<long long> live{0};
        return live;
    }
    static std::atomic<long long>& Peak() {
        static std::atomic<long long> peak{0};
        return peak;
    }
    static void OnMalloc(const volatile void*, size_t size) {
        long long now = Live() += static_cast<long long>(size);
        long long peak = Peak().load();
        while (now > peak && !Peak().compare_exchange_weak(peak, now)) {
        }
    }
    static void OnFree(const volatile void* p) { Live() -= static_cast<long long>(__sanitizer_get_allocated_size(p)); }

    long long _heapBase = 0;
#endif
    long long _residentBase = 0;
};

}  // namespace vellum::test
