// Fuzzes the game's replay reader: any bytes either give a clear error or
// a replay whose every recorded step lies within the steps it plays, with
// keys the game knows. Crashes, undefined behaviour and hangs are findings.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "game/replay_file.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 20) return 0;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    tiderush::TReplayReader replay;
    std::string error;
    if (!replay.Read(in, "fuzz.replay", error)) {
        Check(!error.empty());
        return 0;
    }
    Check(replay.Steps() >= 0 && replay.LastStep() < replay.Steps());
    if (replay.EndsEarly()) Check(replay.Steps() == replay.LastStep() + 1);
    for (int step = 0; step <= replay.LastStep() && step < 4096; ++step)
        for (const auto& sample : replay.Changes(step)) Check(sample.key >= 1 && sample.key <= 255 && sample.hits >= 0);
    return 0;
}
