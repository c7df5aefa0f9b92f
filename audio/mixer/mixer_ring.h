#pragma once
// A fixed ring of entries passed from one producer thread to one consumer
// thread without locks. The producer only writes _head and the consumer
// only writes _tail; each publishes its index with release and reads the
// other's with acquire, so an entry's contents are visible before its slot
// is seen as filled, and a slot is seen as free only after it was read.

#include <atomic>
#include <cstdint>
#include <utility>

namespace vellum {

template <class T, std::uint32_t N>
class TSpscRing {
    static_assert(N > 0 && (N & (N - 1)) == 0, "the ring size must be a power of two");

public:
    // Producer: appends entry; false when the ring is full.
    bool Push(const T& entry) {
        std::uint32_t head = _head.load(std::memory_order_relaxed);
        if (head - _tail.load(std::memory_order_acquire) == N) return false;
        _entries[head & (N - 1)] = entry;
        _head.store(head + 1, std::memory_order_release);
        return true;
    }

    // Consumer: moves the oldest entry into entry; false when the ring is empty.
    bool Pop(T* entry) {
        std::uint32_t tail = _tail.load(std::memory_order_relaxed);
        if (_head.load(std::memory_order_acquire) == tail) return false;
        *entry = std::move(_entries[tail & (N - 1)]);
        _tail.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Entries waiting; exact only on a thread that is neither side.
    std::uint32_t Size() const {
        return _head.load(std::memory_order_acquire) - _tail.load(std::memory_order_acquire);
    }

    // Entries the ring holds when full.
    static constexpr std::uint32_t Capacity() { return N; }

private:
    // Apart, so the two sides do not share a cache line.
    alignas(64) std::atomic<std::uint32_t> _head{0};
    alignas(64) std::atomic<std::uint32_t> _tail{0};
    alignas(64) T _entries[N]{};
};

}  // namespace vellum
