#pragma once
/// \file
/// Timers tick a fixed number of times per second on a platform timer thread
/// and deliver each tick on the main thread, as a count and a "TimerTick"
/// event. WaitTimer paces a frame loop.

#include "system/event.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A timer that ticks a fixed number of times a second.
class TTimer : public TObject {
public:
    int _ticks = 0;   ///< ticks delivered so far
    int _wticks = 0;  ///< _ticks when Wait last returned
    Ref<TTimer> _cycle;  ///< not used by the engine
    Ref<TEvent> _event;  ///< emitted on every tick; Null for a fresh "TimerTick" per tick
    int _handle = 0;     ///< platform timer id while running, 0 once stopped

    /// A running timer at hz ticks per second, or Null when none can be started.
    static Ref<TTimer> Create(float hz, Ref<TEvent> event = nullptr);
    /// The ticks delivered so far.
    int Ticks() const { return _ticks; }
    /// Stops the timer for good.
    void Stop();
    /// Counts one tick and emits its event (main thread).
    void Fire();
    /// Waits until at least one new tick arrived; returns how many did, 0 when stopped.
    int Wait();
};

/// A running timer (TTimer::Create), or Null when none can be started.
Ref<TTimer> CreateTimer(float hz, Ref<TEvent> event = nullptr);
/// The timer's operations (TTimer::Ticks, Wait and Stop); a Null timer raises
/// a runtime error.
///@{
int TimerTicks(const Ref<TTimer>& timer);
int WaitTimer(const Ref<TTimer>& timer);
void StopTimer(const Ref<TTimer>& timer);
///@}

/// The number of timers that may run at once.
constexpr int kMaxTimers = 16;

}  // namespace vellum
#pragma GCC visibility pop
