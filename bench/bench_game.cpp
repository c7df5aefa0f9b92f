// The game's own figures under the current display, each against a bare
// SDL2 OpenGL window opened by this same program: start-up to the first
// title frame, Space to the first game frame, missed timer ticks at each
// of 20 screen changes, CPU time per frame of play, and peak memory over
// the bare window's. Memory is also set against a second baseline, the
// floor: the bare window drawing one textured, blended quad (the renderer
// builds its first shaders) with an audio output open, which any program
// that draws a picture and plays a sound pays before loading anything of its
// own. Every run is a process of its own, the baselines and the game
// alternate, and the medians of three are printed; then one more process
// times start-up step by step.
//   bench_game [seconds] [level]   seconds of play per run (default 10);
//                                  with a level, play runs on that level
//                                  (level 13 spawns rocks densest)
//   bench_game --record-cost [seconds]   CPU per frame without and with a
//                                  recording of the play (default 20 s)
// Needs DISPLAY and the built Data folder.

#include <AL/alc.h>
#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "game/game.h"

using namespace tiderush;
using bench::Clock;
using bench::Ms;

namespace {

constexpr int kRuns = 3;
constexpr int kScreenChanges = 20;

Clock::time_point processStart;

double PeakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void Key(int id, int key) { vellum::MakeEvent(id, nullptr, key)->Emit(); }

void Press(int key) {
    Key(vellum::EVENT_KEYDOWN, key);
    Key(vellum::EVENT_KEYUP, key);
}

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

// One 32 x 32 texture drawn as a blended quad, as any sprite would be.
void DrawOneSprite() {
    static GLuint texture = 0;
    if (!texture) {
        static uint32_t pixels[32 * 32];
        for (uint32_t i = 0; i < 32 * 32; ++i) pixels[i] = 0x80ffffffu ^ (i * 2654435761u >> 8);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 32, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex2f(-0.5f, -0.5f);
    glTexCoord2f(1, 0), glVertex2f(0.5f, -0.5f);
    glTexCoord2f(1, 1), glVertex2f(0.5f, 0.5f);
    glTexCoord2f(0, 1), glVertex2f(-0.5f, 0.5f);
    glEnd();
}

// The baselines: a bare SDL2 window with an OpenGL context of the game's
// size, cleared and shown once, then a second of frames; with floor, each
// frame also draws one sprite and an audio output is open throughout.
int BareWindow(bool floor) {
    ALCdevice* device = floor ? alcOpenDevice(nullptr) : nullptr;
    ALCcontext* audio = device ? alcCreateContext(device, nullptr) : nullptr;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("bench", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024, 768,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) return 1;
    SDL_GL_SetSwapInterval(1);
    glClearColor(50 / 255.0f, 50 / 255.0f, 150 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    std::printf("first-frame %.2f\n", Ms(Clock::now() - processStart));
    for (int i = 0; i < 60; ++i) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        glClear(GL_COLOR_BUFFER_BIT);
        if (floor) DrawOneSprite();
        SDL_GL_SwapWindow(window);
    }
    std::printf("peak-mb %.2f\n", PeakMb());
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    if (audio) alcDestroyContext(audio);
    if (device) alcCloseDevice(device);
    return 0;
}

TGameOptions Options() {
    TGameOptions options;
    options.windowed = true;
    options.seeded = true;
    options.seed = 99;
    return options;
}

// Presses key (again each second) until the screen changes, at most ten
// seconds; the ticks missed on the frame that changed it and the one after.
int MissedAtChange(const Ref<vellum::TTimer>& timer, int key) {
    auto screen = game->currentScreen;
    for (int i = 0; i < 600; ++i) {
        if (i % 60 == 0) Press(key);
        if (profile) profile->lives = 3;
        int late = Frame(timer, nullptr) - 1;
        if (game->currentScreen != screen) return late + Frame(timer, nullptr) - 1;
    }
    return -1;  // the screen never changed
}

// weave: frames between turns of the boat. record: a file to record the
// play into ("" for none); then the screen changes are left out.
int Game(int seconds, int level, int weave = 90, const std::string& record = "") {
    std::string error;
    if (!record.empty() && record != "-" && !StartRecordingInput(record, 99, error)) {
        std::printf("error %s\n", error.c_str());
        return 1;
    }
    bool changes = record.empty();
    auto timer = StartGame(Options());
    Frame(timer, nullptr);
    std::printf("first-frame %.2f\n", Ms(Clock::now() - processStart));

    for (int i = 0; i < 30; ++i) Frame(timer, nullptr);
    auto pressed = Clock::now();
    Press(vellum::KEY_SPACE);
    while (game->currentScreen->name != u"Game") Frame(timer, nullptr);
    std::printf("to-game %.2f\n", Ms(Clock::now() - pressed));

    // Completing the level (the test key J) and going on (Space), by turns.
    for (int change = 0; changes && change < kScreenChanges; ++change) {
        for (int i = 0; i < 20; ++i) Frame(timer, nullptr);
        std::printf("change%d %d\n", change, MissedAtChange(timer, change % 2 ? vellum::KEY_SPACE : vellum::KEY_J));
    }

    if (level > 0) {
        profile->level = level;
        game->currentScreen->Init();  // the level's boat speed, goal and rock spacing
    }
    std::vector<double> cpu, withFlip;
    int missed = 0;
    for (int i = 0; i < seconds * 60; ++i) {
        if (i % weave == 0) {  // weave left and right
            Key(vellum::EVENT_KEYUP, (i / weave) % 2 ? vellum::KEY_LEFT : vellum::KEY_RIGHT);
            Key(vellum::EVENT_KEYDOWN, (i / weave) % 2 ? vellum::KEY_RIGHT : vellum::KEY_LEFT);
        }
        if (profile) profile->lives = 3;
        if (game->currentScreen->name != u"Game") {  // a completed level: straight on to the next
            if (level > 0) profile->level = level - 1;  // or to the same level again
            Press(vellum::KEY_SPACE);
        }
        double ms = 0, flipMs = 0;
        missed += Frame(timer, &ms, &flipMs) - 1;
        cpu.push_back(ms);
        withFlip.push_back(ms + flipMs);
    }
    FinishInput();
    double total = 0;
    for (double ms : cpu) total += ms;
    std::sort(cpu.begin(), cpu.end());
    std::sort(withFlip.begin(), withFlip.end());
    if (!cpu.empty()) {
        std::printf("cpu-mean %.4f\n", total / static_cast<double>(cpu.size()));
        std::printf("cpu-median %.3f\ncpu-p99 %.3f\ncpu-max %.3f\n", cpu[cpu.size() / 2], cpu[cpu.size() * 99 / 100],
                    cpu.back());
        std::printf("flip-median %.3f\nflip-p99 %.3f\n", withFlip[withFlip.size() / 2],
                    withFlip[withFlip.size() * 99 / 100]);
    }
    std::printf("missed-play %d\nlevel %d\npeak-mb %.2f\n", missed, profile ? profile->level : 0, PeakMb());
    return 0;
}

// The steps of StartGame, timed one by one, and the music loaded both ways.
int Breakdown() {
    auto step = processStart;
    auto lap = [&](const char* name) {
        auto now = Clock::now();
        std::printf("step %s %.2f\n", name, Ms(now - step));
        step = now;
    };
    lap("process-start-to-main");
    InitEngineModules();
    auto timer = vellum::CreateTimer(60.0f, nullptr);
    game = TGame::Create();
    renderer = vellum::New<TRenderer>();
    imageBank = TImageBank::Create(game->imagePath);
    vellum::SeedRandom(99);
    game->testMode = 1;
    game->clsColor = TColor::Create(50, 50, 150, 1.0f);
    lap("engine-modules");
    renderer->SetFullScreen(0);  // opens the window...
    lap("window-first-opening");
    renderer->CreateScreen();  // ...and StartGame opens it again
    lap("window-second-opening");
    gameFont = vellum::LoadImageFont(game->fontPath + u"beware.ttf", 64, vellum::FONT_SMOOTH);
    lap("font");
    for (const char16_t* file : {u"boat", u"rock", u"pickup", u"wake", u"explosion", u"particlering", u"particlering2"})
        imageBank->Load(file, u"", -1, 1);
    lap("pictures");
    game->LoadGameSound(u"select.wav", 0);
    lap("sound-select.wav");
    vellum::LoadSound(game->musicPath + u"title.ogg", vellum::SOUND_LOOP);
    lap("music-loaded-whole");
    vellum::LoadSound(game->musicPath + u"title.ogg", vellum::SOUND_LOOP | vellum::SOUND_STREAM);
    lap("music-streamed");
    game->AddScreenToStack(TTitleScreen::Create());
    lap("title-screen(music+sound+play)");
    Frame(timer, nullptr);
    lap("first-frame");
    return 0;
}

using Figures = std::map<std::string, double>;

// Runs this program with args and reads back its lines of a name and a
// number; the breakdown's lines also go to out, in order.
Figures Run(const std::string& self, const std::string& args, std::vector<std::string>* out = nullptr) {
    Figures figures;
    FILE* pipe = popen((self + " " + args).c_str(), "r");
    if (!pipe) return figures;
    char line[256], name[96];
    double value;
    while (std::fgets(line, sizeof line, pipe)) {
        if (std::sscanf(line, "step %95s %lf", name, &value) == 2 && out) {
            char text[160];
            std::snprintf(text, sizeof text, "  %-32s %7.1f ms", name, value);
            out->push_back(text);
        } else if (std::sscanf(line, "%95s %lf", name, &value) == 2) {
            figures[name] = value;
        }
    }
    pclose(pipe);
    return figures;
}

double Median(const std::vector<Figures>& runs, const std::string& name) {
    std::vector<double> values;
    for (const auto& run : runs)
        if (run.count(name)) values.push_back(run.at(name));
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What recording costs: every step whose input changed goes to the system
// before the next is drawn. Play without a recording and play recorded into
// a file alternate, the boat turning every kRecordWeave frames, so that a
// line is written (and handed over) four times a second.
constexpr int kRecordWeave = 15;

int RecordCost(const std::string& self, int seconds) {
    std::string file = "/tmp/bench_game-" + std::to_string(getpid()) + ".replay";
    std::string args = "--game " + std::to_string(seconds) + " 0 " + std::to_string(kRecordWeave) + " ";
    std::vector<Figures> without, with;
    for (int run = 0; run < kRuns; ++run) {
        without.push_back(Run(self, args + "-"));
        with.push_back(Run(self, args + file));
    }
    FILE* recorded = std::fopen(file.c_str(), "r");
    int lines = 0;
    for (int c; recorded && (c = std::fgetc(recorded)) != EOF;) lines += c == '\n';
    if (recorded) std::fclose(recorded);
    std::remove(file.c_str());
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("load average: %.2f %.2f %.2f; medians of %d runs of %d s, without and with a recording alternated\n",
                load[0], load[1], load[2], kRuns, seconds);
    std::printf("the last recording: %d lines, each handed to the system as its step was taken\n", lines);
    double meanWithout = Median(without, "cpu-mean"), meanWith = Median(with, "cpu-mean");
    std::printf("logic+draw CPU per frame, mean: %.4f ms without, %.4f ms recording (%+.4f ms, x%.3f)\n", meanWithout,
                meanWith, meanWith - meanWithout, meanWith / meanWithout);
    std::printf("logic+draw CPU per frame, median: %.3f ms without, %.3f ms recording; runs (mean):",
                Median(without, "cpu-median"), Median(with, "cpu-median"));
    for (int run = 0; run < kRuns; ++run) std::printf(" %.4f/%.4f", without[run]["cpu-mean"], with[run]["cpu-mean"]);
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    processStart = Clock::now();
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--bare") return BareWindow(false);
    if (mode == "--floor") return BareWindow(true);
    if (!std::getenv("DISPLAY") || chdir(BENCH_DATA_DIR) != 0) {
        std::puts("bench_game needs a display and the built Data folder");
        return 1;
    }
    if (mode == "--game")
        return argc > 5 ? Game(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), argv[5])
                        : Game(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "--breakdown") return Breakdown();
    std::string self = "/proc/" + std::to_string(getpid()) + "/exe";
    if (mode == "--record-cost") return RecordCost(self, argc > 2 ? std::atoi(argv[2]) : 20);

    int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    int level = argc > 2 ? std::atoi(argv[2]) : 0;
    std::vector<Figures> bare, floor, played;
    for (int run = 0; run < kRuns; ++run) {
        bare.push_back(Run(self, "--bare"));
        floor.push_back(Run(self, "--floor"));
        played.push_back(Run(self, "--game " + std::to_string(seconds) + " " + std::to_string(level)));
    }
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("load average: %.2f %.2f %.2f; medians of %d runs, bare window and game alternated\n", load[0],
                load[1], load[2], kRuns);
    double bareFirst = Median(bare, "first-frame"), gameFirst = Median(played, "first-frame");
    std::printf("first frame: bare SDL2 OpenGL window %.1f ms, game's title %.1f ms (+%.1f ms); runs:", bareFirst,
                gameFirst, gameFirst - bareFirst);
    for (int run = 0; run < kRuns; ++run) std::printf(" %.0f/%.0f", bare[run]["first-frame"], played[run]["first-frame"]);
    std::printf("\n");
    std::printf("Space to first game frame: %.1f ms\n", Median(played, "to-game"));
    std::printf("missed ticks at each of %d screen changes (worst of the runs):", kScreenChanges);
    int worstChange = 0;
    for (int change = 0; change < kScreenChanges; ++change) {
        int worst = 0;
        for (const auto& run : played) {
            auto it = run.find("change" + std::to_string(change));
            worst = std::max(worst, it == run.end() ? 99 : static_cast<int>(it->second));
        }
        worstChange = std::max(worstChange, worst);
        std::printf(" %d", worst);
    }
    std::printf(" (worst %d)\n", worstChange);
    std::printf("logic+draw CPU per frame over %d s of play: median %.3f ms, 99th percentile %.3f ms, max %.3f ms\n",
                seconds, Median(played, "cpu-median"), Median(played, "cpu-p99"), Median(played, "cpu-max"));
    std::printf("logic+draw+flip CPU per frame: median %.3f ms, 99th percentile %.3f ms\n",
                Median(played, "flip-median"), Median(played, "flip-p99"));
    std::printf("missed ticks during play: %.0f; level reached %.0f\n", Median(played, "missed-play"),
                Median(played, "level"));
    double barePeak = Median(bare, "peak-mb"), gamePeak = Median(played, "peak-mb");
    double floorPeak = Median(floor, "peak-mb");
    std::printf("peak resident memory: bare window %.1f MB, game %.1f MB (+%.1f MB)\n", barePeak, gamePeak,
                gamePeak - barePeak);
    std::printf("  floor (bare window, one sprite drawn, audio output open) %.1f MB (+%.1f MB over bare); "
                "game over floor +%.1f MB\n",
                floorPeak, floorPeak - barePeak, gamePeak - floorPeak);

    std::printf("start-up step by step (one more process):\n");
    std::vector<std::string> steps;
    Run(self, "--breakdown", &steps);
    for (const auto& line : steps) std::puts(line.c_str());
    return 0;
}
