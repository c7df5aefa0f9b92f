#pragma once
// Watching a sound output that can go away: a sound server that stops, a
// device unplugged. A thread of the watch's own asks every tick whether the
// output still plays and, while it does not, tries to get one back about
// once a second, so the program thread never waits for a device to open.
// Every driver that can lose its output keeps one.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vellum {

class TOutputWatch {
public:
    static constexpr std::chrono::milliseconds kTick{100};
    static constexpr std::chrono::milliseconds kRetry{1000};

    struct Hooks {
        // The output still plays; asked every tick while it is there.
        std::function<bool()> present;
        // Tries to get an output again; true when it did.
        std::function<bool()> reopen;
        // Runs every tick while the output is away (may be empty).
        std::function<void()> away;
    };

    // Starts watching; away: there is no output yet, so the first try is at once.
    TOutputWatch(Hooks hooks, bool away);
    // Stops the thread and waits for it (at most one hook call).
    ~TOutputWatch();
    TOutputWatch(const TOutputWatch&) = delete;
    TOutputWatch& operator=(const TOutputWatch&) = delete;

    // The output went away and none has come back yet.
    bool Away() const { return _away.load(std::memory_order_acquire); }

private:
    void Run();

    Hooks _hooks;
    std::atomic<bool> _away;
    std::mutex _mutex;
    std::condition_variable _wake;
    bool _stop = false;  // under _mutex
    std::thread _thread;  // last, so it starts once the rest is ready
};

}  // namespace vellum
