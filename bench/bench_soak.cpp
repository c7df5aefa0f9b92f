// A long run of the real game on a bad day: it plays with random input
// while stress-ng keeps two cores busy, and every 30 s its sound server is
// restarted, it switches between full screen and a window (Ctrl+F), and it
// is stopped for 3 s (SIGSTOP, SIGCONT). Prints the crashes, the resident
// memory after three minutes of warm-up and at the end, the ticks missed in
// each minute (frames around the stops apart) with the resident memory and
// the heap in use at that minute, and, for every restart, the seconds until
// the game's stream was back and until its sound reached the server's
// output again.
//   bench_soak [minutes]   default 30
// Needs DISPLAY, the built Data folder, pulseaudio, pactl and parec
// (pulseaudio-utils) and stress-ng; scripts/setup installs them.

#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench_clock.h"
#include "game/game.h"
#include "pulse_server.h"
#include "shell_util.h"

using namespace tiderush;
using bench::Clock;

namespace {

constexpr int kCycleSeconds = 30;
constexpr int kStopAfterRestart = 12;  // seconds into a cycle
constexpr int kToggleAfterRestart = 20;
constexpr int kStopSeconds = 3;
constexpr int kCaptureSeconds = 8;
// The first few sound-device changes settle the allocator: once a large
// freed block has raised glibc's mmap threshold, blocks of that size come
// from the heap and stay resident after they are freed: a step of several
// MB within the first restarts, none after. Warm-up covers five cycles.
constexpr int kWarmUpMinutes = 3;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// What malloc hands out now, in every arena and in mappings of its own: a
// leak grows it, while resident memory also holds free pages the arenas
// keep and what the renderer maps itself.
double HeapInUseMb() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void Key(int id, int key) { vellum::MakeEvent(id, nullptr, key)->Emit(); }

// The game, as its frame loop runs it, for seconds, with a random key held
// now and then; writes its figures to the file at out.
int Play(int seconds, const char* out) {
    std::FILE* report = std::fopen(out, "w");
    if (!report) return 1;
    TGameOptions options;
    options.windowed = true;
    auto timer = StartGame(options);
    const int keys[] = {vellum::KEY_LEFT, vellum::KEY_RIGHT, vellum::KEY_UP, vellum::KEY_DOWN, vellum::KEY_SPACE};
    std::mt19937 random(20261209);
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    int held = 0, nextKey = 0, toggles = 0, minute = 0, missed = 0, stops = 0;
    for (int frame = 0;; ++frame) {
        const double elapsed = Seconds(Clock::now() - start);
        if (elapsed >= seconds) break;
        if (frame >= nextKey) {
            if (held) Key(vellum::EVENT_KEYUP, held);
            held = keys[random() % std::size(keys)];
            Key(vellum::EVENT_KEYDOWN, held);
            nextKey = frame + 5 + static_cast<int>(random() % 60);
        }
        if (elapsed >= toggles * kCycleSeconds + kToggleAfterRestart) {
            ++toggles;
            Key(vellum::EVENT_KEYDOWN, vellum::KEY_LCONTROL);
            Key(vellum::EVENT_KEYDOWN, vellum::KEY_F);
            Key(vellum::EVENT_KEYUP, vellum::KEY_F);
            Key(vellum::EVENT_KEYUP, vellum::KEY_LCONTROL);
        }
        game->Logic();
        game->Draw();
        int ticks = vellum::WaitTimer(timer);
        vellum::Flip(1);
        vellum::Delay(1);
        Clock::time_point now = Clock::now();
        if (now - last > std::chrono::seconds(1))
            ++stops;  // the process was stopped: those ticks are not the game's
        else
            missed += std::max(0, ticks - 1);
        last = now;
        if (Seconds(now - start) >= (minute + 1) * 60.0) {
            ++minute;
            double resident = ResidentMb();
            std::fprintf(report, "minute %d missed %d stops %d resident %.2f heap %.2f\n", minute, missed, stops,
                         resident, HeapInUseMb());
            if (minute == std::min(kWarmUpMinutes, seconds / 60)) std::fprintf(report, "warm %.2f\n", resident);
            std::fflush(report);
            missed = stops = 0;
        }
    }
    std::fprintf(report, "end %.2f\ntoggles %d\n", ResidentMb(), toggles);
    std::fclose(report);
    return 0;
}

pid_t Spawn(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Seconds from now until the server has a stream of the game's; -1 after limit.
double UntilStream(const testutil::PulseServer& server, double limit) {
    Clock::time_point start = Clock::now();
    while (Seconds(Clock::now() - start) < limit) {
        if (server.SinkInputs() >= 1) return Seconds(Clock::now() - start);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// Seconds of silence at the start of a raw 16-bit stereo capture; -1 when
// it holds no sound at all.
double LeadingSilence(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::int16_t value;
        std::memcpy(&value, bytes.data() + i, 2);
        if (std::abs(value) > 64) return static_cast<double>(i / 4) / 44100.0;
    }
    return -1;
}

int Soak(const std::string& self, int minutes) {
    testutil::PulseServer server;
    const std::string dir = server.Folder();
    std::ofstream(dir + "/openal.conf") << "[general]\ndrivers = pulse\n";
    setenv("ALSOFT_CONF", (dir + "/openal.conf").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    setenv("VELLUM_NO_DIALOGS", "1", 1);
    if (!server.Start()) {
        std::puts("bench_soak: the sound server did not start (pulseaudio installed?)");
        return 1;
    }
    const int total = minutes * 60;
    bool loaded = testutil::Shell("command -v stress-ng") != "";
    pid_t stress = loaded ? Spawn({"stress-ng", "--cpu", "2", "--timeout", std::to_string(total + 60) + "s", "--quiet"})
                          : -1;
    if (!loaded) std::puts("bench_soak: stress-ng not found, running without load");

    const Clock::time_point start = Clock::now();
    auto remaining = [&] { return total - static_cast<int>(Seconds(Clock::now() - start)); };
    int crashes = 0, run = 0;
    std::vector<std::string> reports;
    pid_t game = -1;
    auto launch = [&] {
        reports.push_back(dir + "/play" + std::to_string(run++) + ".txt");
        game = Spawn({self, "--play", std::to_string(remaining()), reports.back()});
    };
    // A game that ended before its time crashed: it is counted and, with
    // time left, started again.
    auto reap = [&](bool relaunch) {
        int status = 0;
        if (game <= 0 || waitpid(game, &status, WNOHANG) != game) return;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            ++crashes;
            std::printf("crash: %s %d\n", WIFSIGNALED(status) ? "signal" : "status",
                        WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
        }
        game = -1;
        if (relaunch && remaining() > kCycleSeconds) launch();
    };
    launch();

    std::vector<double> back, audible;
    for (int cycle = 1; cycle * kCycleSeconds < total; ++cycle) {
        while (Seconds(Clock::now() - start) < cycle * kCycleSeconds) {
            reap(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        server.Stop();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        server.Start();
        std::string capture = dir + "/capture.raw";
        pid_t parec = Spawn({"sh", "-c", "exec timeout " + std::to_string(kCaptureSeconds) +
                                             " parec -d out.monitor --raw --format=s16le --rate=44100 --channels=2 > " +
                                             capture});
        back.push_back(UntilStream(server, kCaptureSeconds));
        waitpid(parec, nullptr, 0);
        audible.push_back(LeadingSilence(capture));
        std::printf("restart %d: stream back after %.2f s, sound after %.2f s of silence\n", cycle, back.back(),
                    audible.back());
        std::fflush(stdout);
        while (Seconds(Clock::now() - start) < cycle * kCycleSeconds + kStopAfterRestart)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (game > 0) {
            kill(game, SIGSTOP);
            std::this_thread::sleep_for(std::chrono::seconds(kStopSeconds));
            kill(game, SIGCONT);
        }
    }
    // The game ends by itself at its time; one that hangs counts as a crash.
    for (int waited = 0; game > 0 && waited < 600; ++waited) {
        reap(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (game > 0) {
        std::puts("crash: the game did not end by itself");
        ++crashes;
        kill(game, SIGKILL);
        waitpid(game, nullptr, 0);
    }
    if (stress > 0) {
        kill(stress, SIGTERM);
        waitpid(stress, nullptr, 0);
    }

    double load[3] = {};
    getloadavg(load, 3);
    std::printf("\nbench_soak %d min%s; load average at the end %.2f %.2f %.2f\n", minutes,
                loaded ? " under stress-ng --cpu 2" : " without load", load[0], load[1], load[2]);
    std::printf("crashes %d\n", crashes);
    for (const auto& path : reports) {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            double value = 0, heap = 0;
            int m = 0, missed = 0, stops = 0;
            if (std::sscanf(line.c_str(), "minute %d missed %d stops %d resident %lf heap %lf", &m, &missed, &stops,
                            &value, &heap) == 5)
                std::printf("minute %2d: %d missed ticks (%d frames spanned a stop), resident %.1f MB, heap in use %.1f MB\n",
                            m, missed, stops, value, heap);
            else if (std::sscanf(line.c_str(), "warm %lf", &value) == 1)
                std::printf("resident after warm-up %.1f MB\n", value);
            else if (std::sscanf(line.c_str(), "end %lf", &value) == 1)
                std::printf("resident at the end %.1f MB\n", value);
        }
    }
    std::sort(audible.begin(), audible.end());
    if (!audible.empty())
        std::printf("silence after a restart: median %.2f s, worst %.2f s over %zu restarts (-1: none heard)\n",
                    audible[audible.size() / 2], audible.back(), audible.size());
    return crashes == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") || chdir(BENCH_DATA_DIR) != 0) {
        std::puts("bench_soak needs a display and the built Data folder");
        return 1;
    }
    if (argc == 4 && std::string(argv[1]) == "--play") return Play(std::atoi(argv[2]), argv[3]);
    int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    return Soak("/proc/" + std::to_string(getpid()) + "/exe", minutes);
}
