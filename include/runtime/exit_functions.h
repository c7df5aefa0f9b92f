#pragma once
/// \file
/// Functions registered to run when the program ends, last registered first.

#include <functional>

#pragma GCC visibility push(default)
namespace vellum {

/// Registers function to run when the program ends (RunExitFunctions).
void AddExitFunction(std::function<void()> function);
/// Runs and forgets every registered function, newest first. The runtime
/// calls this at process exit; calling it earlier is allowed.
void RunExitFunctions();

}  // namespace vellum
#pragma GCC visibility pop
