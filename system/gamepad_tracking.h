#pragma once
// How the polled input feeds the gamepad state.

namespace vellum {

class TEvent;
// Called by the polled-input subscriber with each gamepad event (and on a
// loss of focus, through FlushGamepads).
void TrackGamepadEvent(const TEvent& event);

}  // namespace vellum
