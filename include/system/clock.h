#pragma once
/// \file
/// The millisecond clock and sleeping.

#pragma GCC visibility push(default)
namespace vellum {

/// Milliseconds since an arbitrary start; wraps like a 32-bit counter.
int MilliSecs();
/// Sleeps the calling thread for ms milliseconds (nothing for ms <= 0).
void Delay(int ms);

}  // namespace vellum
#pragma GCC visibility pop
