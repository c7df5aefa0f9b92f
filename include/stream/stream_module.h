#pragma once
/// \file
/// Start-up of the stream module.

#pragma GCC visibility push(default)
namespace vellum {

/// Initialises the runtime, then registers the stream factories; later calls
/// do nothing.
void InitStreamModule();

}  // namespace vellum
#pragma GCC visibility pop
