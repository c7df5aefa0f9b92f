#include "system/polled_input.h"

#include <array>

#include "system/event.h"
#include "system/gamepad.h"
#include "system/hook.h"
#include "system/system_driver.h"
#include "gamepad_tracking.h"

namespace vellum {

namespace {

constexpr int kKeys = 256;
constexpr int kButtons = 4;
constexpr unsigned kCharQueue = 256;

struct PolledInput {
    std::array<int, kKeys> keyStates{};
    std::array<int, kKeys> keyHits{};
    std::array<int, kCharQueue> charQueue{};
    unsigned charPut = 0, charGet = 0;
    std::array<int, kButtons> buttonStates{};
    std::array<int, kButtons> buttonHits{};
    std::array<int, 4> mouse{};     // x, y, wheel
    std::array<int, 4> lastMouse{};  // as of the last delta query
    int suspended = 0;
    int terminate = 0;
    Ref<TObject> source;
    bool active = false;
};

PolledInput& State() {
    static auto* state = new PolledInput;  // lives for the whole run
    return *state;
}

bool IsKey(int key) { return key >= 0 && key < kKeys; }
bool IsButton(int button) { return button >= 0 && button < kButtons; }

void Press(int* states, int* hits, int index) {
    if (states[index]) return;  // auto-repeat of a held key counts once
    states[index] = 1;
    ++hits[index];
}

int TakeHits(int& hits) {
    int n = hits;
    hits = 0;
    return n;
}

Ref<TObject> PolledInputHook(int, const Ref<TObject>& data, const Ref<TObject>&) {
    auto* event = dynamic_cast<TEvent*>(data.get());
    auto& s = State();
    if (!event || (s.source && s.source != event->source)) return data;
    int d = event->data;
    switch (event->id) {
    case EVENT_APPSUSPEND:
    case EVENT_APPRESUME:
        FlushKeys();
        FlushMouse();
        FlushGamepads();
        s.suspended = event->id == EVENT_APPSUSPEND;
        break;
    case EVENT_APPTERMINATE: s.terminate = 1; break;
    case EVENT_KEYDOWN:
        if (IsKey(d)) Press(s.keyStates.data(), s.keyHits.data(), d);
        break;
    case EVENT_KEYUP:
        if (IsKey(d)) s.keyStates[d] = 0;
        break;
    case EVENT_KEYCHAR:
        if (s.charPut - s.charGet < kCharQueue) s.charQueue[s.charPut++ % kCharQueue] = d;
        break;
    case EVENT_MOUSEDOWN:
        if (IsButton(d)) Press(s.buttonStates.data(), s.buttonHits.data(), d);
        break;
    case EVENT_MOUSEUP:
        if (IsButton(d)) s.buttonStates[d] = 0;
        break;
    case EVENT_MOUSEMOVE:
        s.mouse[0] = event->x;
        s.mouse[1] = event->y;
        break;
    case EVENT_MOUSEWHEEL: s.mouse[2] += d; break;
    default: TrackGamepadEvent(*event); break;
    }
    return data;
}

int Delta(int axis) {
    PollSystemEvents();
    auto& s = State();
    int delta = s.mouse[axis] - s.lastMouse[axis];
    s.lastMouse[axis] = s.mouse[axis];
    return delta;
}

}  // namespace

int KeyHits(int key) {
    PollSystemEvents();
    return IsKey(key) ? TakeHits(State().keyHits[key]) : 0;
}

int KeyDown(int key) {
    PollSystemEvents();
    return IsKey(key) ? State().keyStates[key] : 0;
}

int NextKeyChar() {
    PollSystemEvents();
    auto& s = State();
    if (s.charPut == s.charGet) return 0;
    return s.charQueue[s.charGet++ % kCharQueue];
}

void FlushKeys() {
    PollSystemEvents();
    auto& s = State();
    s.charPut = s.charGet = 0;
    s.keyStates.fill(0);
    s.keyHits.fill(0);
}

int MouseX() {
    PollSystemEvents();
    return State().mouse[0];
}

int MouseY() {
    PollSystemEvents();
    return State().mouse[1];
}

int MouseWheelPosition() {
    PollSystemEvents();
    return State().mouse[2];
}

int MouseXDelta() { return Delta(0); }
int MouseYDelta() { return Delta(1); }
int MouseWheelDelta() { return Delta(2); }

int MouseHits(int button) {
    PollSystemEvents();
    return IsButton(button) ? TakeHits(State().buttonHits[button]) : 0;
}

int MouseButtonDown(int button) {
    PollSystemEvents();
    return IsButton(button) ? State().buttonStates[button] : 0;
}

void FlushMouse() {
    PollSystemEvents();
    auto& s = State();
    s.buttonStates.fill(0);
    s.buttonHits.fill(0);
    s.mouse[2] = 0;
}

int WaitKeyHit() {
    FlushKeys();
    for (;;) {
        if (!WaitSystemEvents()) return 0;  // nothing can ever arrive
        for (int key = 1; key < kKeys; ++key)
            if (KeyHits(key)) return key;
    }
}

int WaitKeyChar() {
    FlushKeys();
    for (;;) {
        if (!WaitSystemEvents()) return 0;
        if (int c = NextKeyChar()) return c;
    }
}

int WaitMouseHit() {
    FlushMouse();
    for (;;) {
        if (!WaitSystemEvents()) return 0;
        for (int button = 1; button < kButtons; ++button)
            if (MouseHits(button)) return button;
    }
}

int AppIsSuspended() {
    PollSystemEvents();
    return State().suspended;
}

int AppTerminateRequested() {
    PollSystemEvents();
    return TakeHits(State().terminate);
}

void StartPolledInput(Ref<TObject> source) {
    auto& s = State();
    if (s.active) return;
    s.source = std::move(source);
    FlushKeys();
    FlushMouse();
    InsertHook(EmitHookId(), PolledInputHook, nullptr, 0);
    s.active = true;
}

void StopPolledInput() {
    auto& s = State();
    if (!s.active) return;
    DeleteHook(EmitHookId(), PolledInputHook, nullptr);
    FlushKeys();
    FlushMouse();
    s.source = nullptr;
    s.active = false;
}

void InitPolledInputModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitSystemModule();
    State();
}

}  // namespace vellum
