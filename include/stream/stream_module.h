#pragma once
// Start-up of the stream module.

namespace vellum {

// Initialises the runtime, then registers the stream factories; later calls
// do nothing.
void InitStreamModule();

}  // namespace vellum
