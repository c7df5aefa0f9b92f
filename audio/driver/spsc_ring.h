#pragma once
// A ring of entries passed from one producer thread to one consumer thread
// without locks: the mixer's requests and notices, and a streamed voice's
// frames (as bytes). The producer only writes _head and the consumer only
// writes _tail; each publishes its count with release and reads the
// other's with acquire, so an entry is written before it is seen as
// filled, and a slot is seen as free only after it was read. The counts
// are 64-bit and never wrap in practice, so any capacity works.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vellum {

template <class T>
class TSpscRing {
public:
    explicit TSpscRing(std::size_t capacity) : _slots(capacity) {}
    TSpscRing(const TSpscRing&) = delete;
    TSpscRing& operator=(const TSpscRing&) = delete;

    std::size_t Capacity() const { return _slots.size(); }

    // Producer: room for this many entries.
    std::size_t Space() const {
        return Capacity() - static_cast<std::size_t>(_head.load(std::memory_order_relaxed) -
                                                     _tail.load(std::memory_order_acquire));
    }
    // Producer: appends entry; false when the ring is full.
    bool Push(const T& entry) {
        if (Space() == 0) return false;
        std::uint64_t head = _head.load(std::memory_order_relaxed);
        _slots[Index(head)] = entry;
        _head.store(head + 1, std::memory_order_release);
        return true;
    }
    // Producer: appends count entries, which must fit (see Space).
    void Push(const T* entries, std::size_t count) {
        std::uint64_t head = _head.load(std::memory_order_relaxed);
        for (std::size_t done = 0; done < count;) {
            std::size_t at = Index(head + done);
            std::size_t run = std::min(count - done, Capacity() - at);
            std::copy(entries + done, entries + done + run, _slots.begin() + static_cast<std::ptrdiff_t>(at));
            done += run;
        }
        _head.store(head + count, std::memory_order_release);
    }

    // Consumer: entries waiting.
    std::size_t Available() const {
        return static_cast<std::size_t>(_head.load(std::memory_order_acquire) -
                                        _tail.load(std::memory_order_relaxed));
    }
    // Consumer: moves the oldest entry into entry; false when the ring is empty.
    bool Pop(T* entry) {
        if (Available() == 0) return false;
        std::uint64_t tail = _tail.load(std::memory_order_relaxed);
        *entry = std::move(_slots[Index(tail)]);
        _tail.store(tail + 1, std::memory_order_release);
        return true;
    }
    // Consumer: copies up to count of the oldest entries into out; how many.
    std::size_t Pull(T* out, std::size_t count) {
        std::uint64_t tail = _tail.load(std::memory_order_relaxed);
        std::size_t n = std::min(count, Available());
        for (std::size_t done = 0; done < n;) {
            std::size_t at = Index(tail + done);
            std::size_t run = std::min(n - done, Capacity() - at);
            std::copy(_slots.begin() + static_cast<std::ptrdiff_t>(at),
                      _slots.begin() + static_cast<std::ptrdiff_t>(at + run), out + done);
            done += run;
        }
        _tail.store(tail + n, std::memory_order_release);
        return n;
    }
    // Consumer: the waiting entries that lie in one piece of memory (up to
    // where the ring wraps), to use before Drop gives them up.
    std::size_t Peek(const T** entries) const {
        std::size_t at = Index(_tail.load(std::memory_order_relaxed));
        *entries = _slots.data() + at;
        return std::min(Available(), Capacity() - at);
    }
    void Drop(std::size_t count) {
        _tail.store(_tail.load(std::memory_order_relaxed) + count, std::memory_order_release);
    }

    // Entries waiting; exact only on a thread that is neither side.
    std::size_t Size() const {
        return static_cast<std::size_t>(_head.load(std::memory_order_acquire) -
                                        _tail.load(std::memory_order_acquire));
    }

private:
    std::size_t Index(std::uint64_t count) const { return static_cast<std::size_t>(count % Capacity()); }

    // Apart, so the two sides do not share a cache line.
    alignas(64) std::atomic<std::uint64_t> _head{0};
    alignas(64) std::atomic<std::uint64_t> _tail{0};
    std::vector<T> _slots;
};

}  // namespace vellum
