#pragma once
// Main-thread calls: another thread (a timer's) asks for a function to run on
// the main thread. Posted calls run in posting order while the main thread
// pumps system messages.

#include "runtime/object.h"

namespace vellum {

using TMainThreadFunction = void (*)(TObject* object, int argument);

// Queues function(object, argument) for the main thread. Safe from any
// thread; the object is passed as is, without taking a reference.
void PostMainThreadCall(TMainThreadFunction function, TObject* object, int argument);

}  // namespace vellum
