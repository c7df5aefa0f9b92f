#pragma once
/// \file
/// Main-thread calls: another thread (a timer's) asks for a function to run on
/// the main thread. Posted calls run in posting order while the main thread
/// pumps system messages.

#pragma GCC visibility push(default)
namespace vellum {

/// A function run on the main thread with the argument it was posted with.
using TMainThreadFunction = void (*)(int argument);

/// Queues function(argument) for the main thread. Safe from any thread.
void PostMainThreadCall(TMainThreadFunction function, int argument);

}  // namespace vellum
#pragma GCC visibility pop
