#pragma once
/// \file
/// Gamepads, polled in the keyboard's style: per-button state and hit counts,
/// axes and the pads connected, kept up to date from the gamepad events that
/// the platform layer emits. Pads take the lowest free index, 0 to
/// MAX_GAMEPADS - 1, when plugged in and give it up when unplugged; every
/// query first pumps pending system messages. Indexes out of range read as 0.

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The number of pads tracked at once; pads are numbered 0 to MAX_GAMEPADS - 1.
constexpr int MAX_GAMEPADS = 8;

/// Buttons in the standard layout (Xbox-style names; A is the bottom face button).
enum : int {
    PAD_BUTTON_A, PAD_BUTTON_B, PAD_BUTTON_X, PAD_BUTTON_Y,
    PAD_BUTTON_BACK, PAD_BUTTON_GUIDE, PAD_BUTTON_START,
    PAD_BUTTON_LEFTSTICK, PAD_BUTTON_RIGHTSTICK, PAD_BUTTON_LEFTSHOULDER, PAD_BUTTON_RIGHTSHOULDER,
    PAD_BUTTON_UP, PAD_BUTTON_DOWN, PAD_BUTTON_LEFT, PAD_BUTTON_RIGHT,
    PAD_BUTTON_COUNT
};

/// Axes: sticks read -1 (left, up) to 1 (right, down), triggers 0 to 1.
enum : int {
    PAD_AXIS_LEFTX, PAD_AXIS_LEFTY, PAD_AXIS_RIGHTX, PAD_AXIS_RIGHTY, PAD_AXIS_TRIGGERLEFT, PAD_AXIS_TRIGGERRIGHT,
    PAD_AXIS_COUNT
};

/// The button's presses since the last call (or flush); resets the count.
int GamepadHits(int pad, int button);
/// 1 while the button is down.
int GamepadDown(int pad, int button);
/// The axis's position now (see the PAD_AXIS_ constants); 0 for a pad not there.
float GamepadAxis(int pad, int axis);
/// 1 while a pad holds the index.
int GamepadConnected(int pad);
/// The pads connected now.
int CountGamepads();
/// The pad's product name, "" when none is connected there.
String GamepadName(int pad);
/// Forgets every button state, hit count and axis position; pads stay connected.
void FlushGamepads();

}  // namespace vellum
#pragma GCC visibility pop
