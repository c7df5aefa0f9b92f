#include "game/game_input.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "game/replay_file.h"
#include "vellum.h"

namespace tiderush {

namespace {

// Every key the game reads.
constexpr int kGameKeys[] = {
    vellum::KEY_LEFT, vellum::KEY_RIGHT, vellum::KEY_UP,    vellum::KEY_DOWN,     vellum::KEY_SPACE,
    vellum::KEY_ESCAPE, vellum::KEY_P,   vellum::KEY_D,     vellum::KEY_F,        vellum::KEY_X,
    vellum::KEY_R,    vellum::KEY_Q,     vellum::KEY_J,     vellum::KEY_LCONTROL, vellum::KEY_RCONTROL,
};

struct InputState {
    std::array<int, 256> down{};     // as the game sees it this step
    std::array<int, 256> hits{};     // presses not yet asked for
    std::array<int, 256> sampled{};  // key states at the last sample, for the replay file's changes
    int steps = 0;
    std::unique_ptr<TReplayWriter> writer;
    bool recordingLost = false;  // the file refused a line: the recording stopped there
    const TReplayReader* replay = nullptr;
};

InputState& State() {
    static auto* state = new InputState;  // lives for the whole run
    return *state;
}

bool IsKey(int key) { return key > 0 && key < 256; }

// Gamepads act as keys: the d-pad and the left stick steer, A or Start is
// Space and Back is Escape, on any pad.
struct PadBinding {
    int key;
    int button, alsoButton;
    int axis;
    float direction;  // the stick's side that counts, or 0
};
constexpr PadBinding kPadBindings[] = {
    {vellum::KEY_LEFT, vellum::PAD_BUTTON_LEFT, -1, vellum::PAD_AXIS_LEFTX, -1.0f},
    {vellum::KEY_RIGHT, vellum::PAD_BUTTON_RIGHT, -1, vellum::PAD_AXIS_LEFTX, 1.0f},
    {vellum::KEY_UP, vellum::PAD_BUTTON_UP, -1, vellum::PAD_AXIS_LEFTY, -1.0f},
    {vellum::KEY_DOWN, vellum::PAD_BUTTON_DOWN, -1, vellum::PAD_AXIS_LEFTY, 1.0f},
    {vellum::KEY_SPACE, vellum::PAD_BUTTON_A, vellum::PAD_BUTTON_START, -1, 0.0f},
    {vellum::KEY_ESCAPE, vellum::PAD_BUTTON_BACK, -1, -1, 0.0f},
};
constexpr float kStickThreshold = 0.5f;
// Presses a key keeps while nothing asks for them; a long replay cannot overflow it.
constexpr int kMaxHeldHits = 1 << 20;

// The pads connected this step. Every engine input call pumps the window
// system's events, so each pad is asked once a step, not once per key.
std::array<bool, vellum::MAX_GAMEPADS> ConnectedPads() {
    std::array<bool, vellum::MAX_GAMEPADS> connected{};
    for (int pad = 0; pad < vellum::MAX_GAMEPADS; ++pad) connected[pad] = vellum::GamepadConnected(pad) != 0;
    return connected;
}

void AddPads(TKeySample& sample, const std::array<bool, vellum::MAX_GAMEPADS>& connected) {
    for (const auto& binding : kPadBindings) {
        if (binding.key != sample.key) continue;
        for (int pad = 0; pad < vellum::MAX_GAMEPADS; ++pad) {
            if (!connected[pad]) continue;
            for (int button : {binding.button, binding.alsoButton}) {
                if (button < 0) continue;
                sample.down |= vellum::GamepadDown(pad, button);
                sample.hits += vellum::GamepadHits(pad, button);
            }
            if (binding.axis >= 0 && vellum::GamepadAxis(pad, binding.axis) * binding.direction > kStickThreshold)
                sample.down = 1;
        }
    }
}

// The step's samples from the keyboard and the gamepads.
std::vector<TKeySample> SampleDevices() {
    std::vector<TKeySample> samples;
    auto connected = ConnectedPads();
    for (int key : kGameKeys) {
        TKeySample sample{key, vellum::KeyDown(key), vellum::KeyHits(key)};
        AddPads(sample, connected);
        samples.push_back(sample);
    }
    return samples;
}

}  // namespace

void StartLiveInput() {
    auto& s = State();
    s = InputState();
}

bool StartRecordingInput(const std::string& path, int seed, std::string& error) {
    StartLiveInput();
    auto writer = std::make_unique<TReplayWriter>();
    if (!writer->Open(path, seed, error)) return false;
    State().writer = std::move(writer);
    return true;
}

void StartReplayInput(const TReplayReader& replay) {
    StartLiveInput();
    State().replay = &replay;
}

void BeginInputStep() {
    auto& s = State();
    std::vector<TKeySample> changes;
    if (s.replay) {
        vellum::PollSystemEvents();  // the window stays responsive, its input unused
        changes = s.replay->Changes(s.steps);
    } else {
        for (const auto& sample : SampleDevices())
            if (sample.hits || sample.down != s.sampled[sample.key]) changes.push_back(sample);
        std::string error;
        if (s.writer && !s.writer->WriteStep(s.steps, changes, error)) {
            // The game plays on: the player keeps the game, the file stays
            // a replay of the steps it took.
            std::fprintf(stderr, "tiderush: %s; the recording stops at step %d\n", error.c_str(), s.steps);
            s.writer.reset();
            s.recordingLost = true;
        }
    }
    for (const auto& change : changes) {
        s.sampled[change.key] = change.down;
        s.hits[change.key] = std::min(s.hits[change.key] + change.hits, kMaxHeldHits);
    }
    // A key pressed and released between two steps was down for a moment:
    // the step sees it down, so taps and chords such as Ctrl+X are not lost.
    s.down = s.sampled;
    for (const auto& change : changes)
        if (change.hits) s.down[change.key] = 1;
    ++s.steps;
}

bool InputFinished() {
    auto& s = State();
    return s.replay && s.steps >= s.replay->Steps();
}

int InputSteps() { return State().steps; }

bool FinishInput() {
    auto& s = State();
    std::string error;
    if (s.writer && !s.writer->Close(s.steps, error)) {
        std::fprintf(stderr, "tiderush: %s\n", error.c_str());
        s.recordingLost = true;
    }
    s.writer.reset();
    return !s.recordingLost;
}

int InputHits(int key) {
    if (!IsKey(key)) return 0;
    int n = State().hits[key];
    State().hits[key] = 0;
    return n;
}

int InputDown(int key) { return IsKey(key) ? State().down[key] : 0; }

void FlushInput() {
    auto& s = State();
    s.down.fill(0);
    s.hits.fill(0);
    if (s.replay) return;
    vellum::FlushKeys();
    vellum::FlushGamepads();
}

}  // namespace tiderush
