#include "game/game_input.h"

#include <array>
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
    const TReplayReader* replay = nullptr;
};

InputState& State() {
    static auto* state = new InputState;  // lives for the whole run
    return *state;
}

bool IsKey(int key) { return key > 0 && key < 256; }

// The step's samples from the keyboard.
std::vector<TKeySample> SampleDevices() {
    std::vector<TKeySample> samples;
    for (int key : kGameKeys) samples.push_back({key, vellum::KeyDown(key), vellum::KeyHits(key)});
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
        if (s.writer) s.writer->WriteStep(s.steps, changes);
    }
    for (const auto& change : changes) {
        s.sampled[change.key] = change.down;
        s.hits[change.key] += change.hits;
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

void FinishInput() {
    auto& s = State();
    if (s.writer) s.writer->Close(s.steps);
    s.writer.reset();
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
    if (!s.replay) vellum::FlushKeys();
}

}  // namespace tiderush
