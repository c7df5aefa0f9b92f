#pragma once
// The SDL side of the system module, shared by its platform files that pump
// and translate SDL events. Only system's *_sdl.cpp files include this header;
// window drivers use system/window_events.h.

#include <SDL2/SDL.h>

namespace vellum {

// Starts SDL's event and timer subsystems once; false if SDL refuses.
bool StartSDLEvents();

// Runs the call if the event is a posted main-thread call; true if it was.
bool RunMainThreadCall(const SDL_Event& event);
// Frees the calls still queued (at shut-down).
void DiscardMainThreadCalls();

// Turns one SDL event into engine events, emitted through the emit hook.
void TranslateSDLEvent(const SDL_Event& event);
// Opens SDL's game controller interface once; pads then arrive as events.
void StartSDLGamepads();
// Turns SDL's game controller events into engine gamepad events.
void TranslateGamepadEvent(const SDL_Event& event);
// The virtual-key code of an SDL scancode, 0 for keys without one.
int VirtualKeyFromScancode(SDL_Scancode scancode);
// Shows or hides the pointer over the program's windows.
void SetPointerVisible(bool visible);

}  // namespace vellum
