#include "system/gamepad.h"

#include <array>

#include "system/event.h"
#include "system/system_driver.h"
#include "gamepad_tracking.h"

namespace vellum {

namespace {

struct Pad {
    bool connected = false;
    String name;
    std::array<int, PAD_BUTTON_COUNT> down{};
    std::array<int, PAD_BUTTON_COUNT> hits{};
    std::array<float, PAD_AXIS_COUNT> axes{};
};

std::array<Pad, MAX_GAMEPADS>& Pads() {
    static auto* pads = new std::array<Pad, MAX_GAMEPADS>;  // lives for the whole run
    return *pads;
}

bool IsPad(int pad) { return pad >= 0 && pad < MAX_GAMEPADS; }
bool IsButton(int button) { return button >= 0 && button < PAD_BUTTON_COUNT; }
bool IsAxis(int axis) { return axis >= 0 && axis < PAD_AXIS_COUNT; }

void Forget(Pad& pad) {
    pad.down.fill(0);
    pad.hits.fill(0);
    pad.axes.fill(0.0f);
}

}  // namespace

void TrackGamepadEvent(const TEvent& event) {
    auto& pads = Pads();
    switch (event.id) {
    case EVENT_GAMEPADCONNECT:
        if (!IsPad(event.data)) break;
        Forget(pads[event.data]);
        pads[event.data].connected = true;
        UnboxString(event.extra, pads[event.data].name);
        break;
    case EVENT_GAMEPADDISCONNECT:
        if (!IsPad(event.data)) break;
        Forget(pads[event.data]);
        pads[event.data].connected = false;
        pads[event.data].name.clear();
        break;
    case EVENT_GAMEPADBUTTONDOWN:
        if (IsPad(event.x) && IsButton(event.data) && !pads[event.x].down[event.data]) {
            pads[event.x].down[event.data] = 1;
            ++pads[event.x].hits[event.data];
        }
        break;
    case EVENT_GAMEPADBUTTONUP:
        if (IsPad(event.x) && IsButton(event.data)) pads[event.x].down[event.data] = 0;
        break;
    case EVENT_GAMEPADAXIS:
        if (IsPad(event.x) && IsAxis(event.data))
            pads[event.x].axes[event.data] = event.y < 0 ? static_cast<float>(event.y) / 32768.0f
                                                         : static_cast<float>(event.y) / 32767.0f;
        break;
    default: break;
    }
}

int GamepadHits(int pad, int button) {
    PollSystemEvents();
    if (!IsPad(pad) || !IsButton(button)) return 0;
    int n = Pads()[pad].hits[button];
    Pads()[pad].hits[button] = 0;
    return n;
}

int GamepadDown(int pad, int button) {
    PollSystemEvents();
    return IsPad(pad) && IsButton(button) ? Pads()[pad].down[button] : 0;
}

float GamepadAxis(int pad, int axis) {
    PollSystemEvents();
    return IsPad(pad) && IsAxis(axis) ? Pads()[pad].axes[axis] : 0.0f;
}

int GamepadConnected(int pad) {
    PollSystemEvents();
    return IsPad(pad) && Pads()[pad].connected ? 1 : 0;
}

int CountGamepads() {
    PollSystemEvents();
    int n = 0;
    for (const auto& pad : Pads()) n += pad.connected;
    return n;
}

String GamepadName(int pad) {
    PollSystemEvents();
    return IsPad(pad) ? Pads()[pad].name : String();
}

void FlushGamepads() {
    PollSystemEvents();
    for (auto& pad : Pads()) Forget(pad);
}

}  // namespace vellum
