#pragma once
/// \file
/// What a window driver needs from the system module: the platform's event
/// services, started before it opens the window system, and word of its
/// windows' focus as the system driver pumps the platform's messages. Windows
/// are named by the platform's own window ids.

#include <cstdint>

#pragma GCC visibility push(default)
namespace vellum {

/// Starts the platform's event and timer services once; false when the
/// platform refuses.
bool StartPlatformEvents();

/// The focus changes a TWindowFocusHandler is told of.
enum : int { WINDOW_FOCUS_GAINED = 1, WINDOW_FOCUS_LOST = 2 };

/// Runs for each focus change of one of the program's windows, after the
/// engine events it gives have been emitted.
using TWindowFocusHandler = void (*)(std::uint32_t windowId, int change);
/// Adds handler to those run on focus changes.
void AddWindowFocusHandler(TWindowFocusHandler handler);

}  // namespace vellum
#pragma GCC visibility pop
