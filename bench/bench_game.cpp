// The game's own figures under the current display: start-up to the first
// title frame, Space to the first game frame, CPU time per frame of logic
// plus drawing on the game screen, missed timer ticks over a run, and peak
// memory. The boat is steered by emitted key events and never runs out of
// lives, so the whole run is spent on the game screen. With a level, every
// run of the game screen plays that level (level 13 spawns rocks densest).
//   bench_game [seconds] [level]          (needs DISPLAY and the built Data folder)

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_clock.h"
#include "game/game.h"

using namespace tiderush;
using bench::Clock;
using bench::Ms;

namespace {

void Key(int id, int key) { vellum::MakeEvent(id, nullptr, key)->Emit(); }

// One presented frame as the game's loop makes it; returns the ticks waited
// for. cpuMs gets the CPU time of logic and drawing, flipMs that of the Flip,
// where a driver that holds drawing back submits the rest.
int Frame(const Ref<vellum::TTimer>& timer, double* cpuMs, double* flipMs = nullptr) {
    double start = bench::ThreadCpuMs();
    game->Logic();
    game->Draw();
    if (cpuMs) *cpuMs = bench::ThreadCpuMs() - start;
    int ticks = vellum::WaitTimer(timer);
    start = bench::ThreadCpuMs();
    vellum::Flip(1);
    if (flipMs) *flipMs = bench::ThreadCpuMs() - start;
    vellum::Delay(1);
    return ticks;
}

}  // namespace

int main(int argc, char** argv) {
    auto processStart = Clock::now();
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    int level = argc > 2 ? std::atoi(argv[2]) : 0;  // 0: from level 1 on
    if (!std::getenv("DISPLAY") || chdir(BENCH_DATA_DIR) != 0) {
        std::puts("bench_game needs a display and the built Data folder");
        return 1;
    }
    TGameOptions options;
    options.windowed = true;
    options.seeded = true;
    options.seed = 99;
    auto timer = StartGame(options);
    Frame(timer, nullptr);
    double startup = Ms(Clock::now() - processStart);

    for (int i = 0; i < 30; ++i) Frame(timer, nullptr);
    auto pressed = Clock::now();
    Key(vellum::EVENT_KEYDOWN, vellum::KEY_SPACE);
    Key(vellum::EVENT_KEYUP, vellum::KEY_SPACE);
    while (game->currentScreen->name != u"Game") Frame(timer, nullptr);
    double toGame = Ms(Clock::now() - pressed);
    if (level > 0) {
        profile->level = level;
        game->currentScreen->Init();  // the level's boat speed, goal and rock spacing
    }

    std::vector<double> cpu, withFlip;
    int missed = 0, missedAtChange = 0, frames = seconds * 60;
    for (int i = 0; i < frames; ++i) {
        if (i % 90 == 0) {  // weave left and right
            Key(vellum::EVENT_KEYUP, (i / 90) % 2 ? vellum::KEY_LEFT : vellum::KEY_RIGHT);
            Key(vellum::EVENT_KEYDOWN, (i / 90) % 2 ? vellum::KEY_RIGHT : vellum::KEY_LEFT);
        }
        if (profile) profile->lives = 3;
        if (game->currentScreen->name != u"Game") {  // a completed level: straight on to the next
            if (level > 0) profile->level = level - 1;  // or to the same level again
            Key(vellum::EVENT_KEYDOWN, vellum::KEY_SPACE);
            Key(vellum::EVENT_KEYUP, vellum::KEY_SPACE);
        }
        double ms, flipMs;
        auto screen = game->currentScreen;
        int late = Frame(timer, &ms, &flipMs) - 1;
        // A change of screen loads and decodes that screen's music.
        (game->currentScreen != screen ? missedAtChange : missed) += late;
        cpu.push_back(ms);
        withFlip.push_back(ms + flipMs);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(withFlip.begin(), withFlip.end());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("start-up to first title frame: %.1f ms\n", startup);
    std::printf("Space to first game frame: %.1f ms\n", toGame);
    std::printf("logic+draw CPU per frame over %d frames: median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                frames, cpu[cpu.size() / 2], cpu[cpu.size() * 99 / 100], cpu.back());
    std::printf("logic+draw+flip CPU per frame: median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                withFlip[withFlip.size() / 2], withFlip[withFlip.size() * 99 / 100], withFlip.back());
    std::printf("missed ticks over %d s: %d during play, %d on frames that changed screen\n", seconds, missed,
                missedAtChange);
    std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    std::printf("levels reached: %d\n", profile ? profile->level : 0);
    return 0;
}
