// Polled input in a loop paced by a 60 Hz timer: the arrow keys, or a
// gamepad's d-pad and left stick, move a square; Space or the pad's A button
// changes its colour. Escape ends the program.

#include "vellum.h"

using namespace vellum;

namespace {

int Main() {
    SetAppTitle(u"Input and a timer");
    if (!OpenGraphics(640, 480)) return 1;
    // The timer ticks 60 times a second whatever the display's refresh rate,
    // so the square moves at the same speed everywhere.
    Ref<TTimer> timer = CreateTimer(60);

    float x = 300, y = 220;
    int colour = 0, frames = 0;
    const int colours[3][3] = {{255, 80, 80}, {80, 255, 80}, {80, 160, 255}};
    while (!KeyHits(KEY_ESCAPE) && !AppTerminateRequested()) {
        // KeyDown is the state now; KeyHits counts presses since the last call.
        // Gamepads read the same way; pad 0 is the first one plugged in.
        float stickX = GamepadAxis(0, PAD_AXIS_LEFTX), stickY = GamepadAxis(0, PAD_AXIS_LEFTY);
        if (KeyDown(KEY_LEFT) || GamepadDown(0, PAD_BUTTON_LEFT) || stickX < -0.5f) x -= 4;
        if (KeyDown(KEY_RIGHT) || GamepadDown(0, PAD_BUTTON_RIGHT) || stickX > 0.5f) x += 4;
        if (KeyDown(KEY_UP) || GamepadDown(0, PAD_BUTTON_UP) || stickY < -0.5f) y -= 4;
        if (KeyDown(KEY_DOWN) || GamepadDown(0, PAD_BUTTON_DOWN) || stickY > 0.5f) y += 4;
        if (KeyHits(KEY_SPACE) + GamepadHits(0, PAD_BUTTON_A)) colour = (colour + 1) % 3;

        Cls();
        SetColor(colours[colour][0], colours[colour][1], colours[colour][2]);
        DrawRect(x, y, 40, 40);
        SetColor(255, 255, 255);
        DrawText(u"Frames: " + ToString(frames++), 10, 10);
        DrawText(u"Gamepads: " + ToString(CountGamepads()), 10, 30);

        WaitTimer(timer);  // sleeps until the next tick
        Flip(0);           // shows the frame at once, without waiting for the display
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return RunProgram(argc, argv, Main); }
