#pragma once
// The platform's periodic timers under TTimer.

namespace vellum {

// Starts a timer ticking every period milliseconds: its id, never reused; 0
// when refused. Ticks reach DeliverTimerTick on the main thread.
int StartPeriodicTimer(int periodMs);
void StopPeriodicTimer(int id);
// Main-thread delivery of one tick of the platform timer id; ticks of a
// timer stopped meanwhile are ignored.
void DeliverTimerTick(int id);

}  // namespace vellum
