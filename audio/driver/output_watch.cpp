#include "driver/output_watch.h"

#include <utility>

#include "driver/quiet_probe.h"

namespace vellum {

TOutputWatch::TOutputWatch(Hooks hooks, bool away) : _hooks(std::move(hooks)), _away(away) {
    _thread = std::thread([this] { Run(); });
}

TOutputWatch::~TOutputWatch() {
    {
        std::lock_guard lock(_mutex);
        _stop = true;
    }
    _wake.notify_one();
    _thread.join();
}

void TOutputWatch::Run() {
    using Clock = std::chrono::steady_clock;
    Clock::time_point nextTry = Clock::now();
    std::unique_lock lock(_mutex);
    while (!_wake.wait_for(lock, kTick, [this] { return _stop; })) {
        lock.unlock();
        if (!Away() && !_hooks.present()) {
            _away.store(true, std::memory_order_release);
            nextTry = Clock::now();  // a server restarting at once is back at once
        }
        if (Away()) {
            if (_hooks.away) _hooks.away();
            if (Clock::now() >= nextTry) {
                HoldLibraryErrors();
                bool reopened = _hooks.reopen();
                ReleaseLibraryErrors();
                if (reopened)
                    _away.store(false, std::memory_order_release);
                else
                    nextTry = Clock::now() + kRetry;
            }
        }
        lock.lock();
    }
}

}  // namespace vellum
