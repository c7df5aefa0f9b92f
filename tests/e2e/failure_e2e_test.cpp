// The real program when the world around it fails: no display, a display
// without OpenGL, files that cannot be written, a recording game killed.
// Each failure is told in one line and ends the program with a status that
// says so; a recording that was cut off still plays back.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game_process.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

class FailureTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server";
        folder = fs::temp_directory_path() / ("vellum-failure-" + std::to_string(getpid()));
        fs::create_directories(folder);
        std::ofstream(folder / "openal.conf") << "[general]\ndrivers = null\n";
    }
    void TearDown() override {
        game.reset();
        fs::remove_all(folder);
    }

    std::vector<std::string> Environment(std::vector<std::string> more = {}) const {
        more.push_back("ALSOFT_CONF=" + (folder / "openal.conf").string());
        more.push_back("VELLUM_NO_DIALOGS=1");
        return more;
    }

    // Starts the game in a window and gives it the keyboard.
    void StartPlaying(const std::string& program, const std::vector<std::string>& args) {
        game = std::make_unique<GameProcess>(program, args, Environment());
        window = game->WaitForWindow(15000);
        ASSERT_FALSE(window.empty()) << game->Errors();
        Sleep(1000);  // the game opens its screen twice; the second window stays
        window = game->WaitForWindow(5000);
        Xdotool("windowfocus --sync " + window);
    }

    std::unique_ptr<GameProcess> game;
    std::string window;
    fs::path folder;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of what the program said, without the sanitizers' summaries.
std::vector<std::string> Said(const std::string& errors) {
    std::vector<std::string> said;
    for (const auto& line : Lines(errors))
        if (line.rfind("tiderush: ", 0) == 0) said.push_back(line);
    return said;
}

}  // namespace

// No display, a display that does not answer, a display without OpenGL:
// the game does not run on unseen but says why and ends with status 255.
TEST_F(FailureTest, WithoutAPictureOneLineSaysWhyAndTheGameEnds) {
    PrivateDisplay noOpenGL("1024x768x24", {"-extension", "GLX"});
    ASSERT_TRUE(noOpenGL.Up()) << "no private X server";
    int silent = 900;  // a display number no server listens on
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(silent))) ++silent;
    struct Case {
        std::vector<std::string> environment;
        std::string cause;
    };
    const Case cases[] = {
        {{"DISPLAY", "WAYLAND_DISPLAY"}, "there is no display to open a window on: DISPLAY is not set (SDL: "},
        {{"DISPLAY=:" + std::to_string(silent)}, "the display \":" + std::to_string(silent) + "\" cannot be opened (SDL: "},
        {{"DISPLAY=" + noOpenGL.name}, "the display gives no OpenGL window of 1024 x 768 (SDL: GLX is not supported)"},
    };
    for (const auto& c : cases) {
        GameProcess run(TIDERUSH_BINARY, {"--windowed"}, Environment(c.environment));
        EXPECT_EQ(run.Wait(30000), 255) << c.cause;
        auto said = Said(run.Errors());
        ASSERT_EQ(said.size(), 1u) << run.Errors();
        EXPECT_EQ(said[0].rfind("tiderush: cannot open the game's screen: " + c.cause, 0), 0u) << said[0];
    }
}

// Every step that changed reaches the file as it is played: the game killed
// mid-play leaves a recording without its end line, which plays back to its
// last step and says that it ends early.
TEST_F(FailureTest, AKilledRecordingPlaysBackToItsLastStep) {
    fs::path recording = folder / "killed.replay";
    StartPlaying(TIDERUSH_BINARY, {"--windowed", "--seed", "3", "--record", recording.string()});
    Xdotool("key space");
    for (int waited = 0; waited < 20000 && Lines(ReadText(recording)).size() < 6; waited += 300) {
        Xdotool("key --delay 40 Left Right");
        Sleep(300);
    }
    kill(game->Pid(), SIGKILL);
    game->Wait(5000);
    auto lines = Lines(ReadText(recording));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "TIDERUSH replay 1");
    EXPECT_EQ(lines[1], "seed 3");
    int last = std::stoi(lines.back());

    GameProcess replay(TIDERUSH_BINARY, {"--windowed", "--fast", "--replay", recording.string()}, Environment());
    EXPECT_EQ(replay.Wait(100000), 0) << replay.Errors();
    EXPECT_EQ(Said(replay.Errors()), std::vector<std::string>{"tiderush: the recording ends early at step " +
                                                              std::to_string(last)});
    EXPECT_EQ(replay.Output().rfind("replay: " + std::to_string(last + 1) + " steps, final screen \"Game\"", 0), 0u)
        << replay.Output();
}

// A recording that cannot even start is told before any window opens. One
// that stops fitting mid-play (here a limit on file size) is told when it
// happens; the player keeps the game, and the end status says what was lost.
TEST_F(FailureTest, ARecordingThatCannotBeWrittenIsToldAndTheStatusSaysSo) {
    GameProcess full(TIDERUSH_BINARY, {"--windowed", "--record", "/dev/full"}, Environment());
    EXPECT_EQ(full.Wait(30000), 2);
    EXPECT_EQ(Said(full.Errors()),
              std::vector<std::string>{"tiderush: cannot write the replay file \"/dev/full\": No space left on device"});

    fs::path recording = folder / "limited.replay";
    // One block of file (512 bytes in sh's count), no signal for going past
    // it: writes then fail.
    StartPlaying("/bin/sh", {"-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" --windowed --seed 3 --record \"$1\"",
                             TIDERUSH_BINARY, recording.string()});
    Xdotool("key space");
    for (int waited = 0; waited < 30000 && Said(game->Errors()).empty(); waited += 300) {
        Xdotool("key --delay 30 Left Right Left Right");
        Sleep(150);
    }
    auto said = Said(game->Errors());
    ASSERT_EQ(said.size(), 1u) << game->Errors();
    EXPECT_NE(said[0].find("cannot write the replay file \"" + recording.string() + "\": File too large; the "
                           "recording stops at step "),
              std::string::npos)
        << said[0];
    EXPECT_TRUE(game->Running()) << "the game did not play on";
    Xdotool("key --delay 60 ctrl+x");
    EXPECT_EQ(game->Wait(10000), 1) << game->Errors();
    EXPECT_LE(fs::file_size(recording), 1024u);
}

// A picture of a replay that cannot be written is told; the replay goes on
// to its end and its report, and the status says that a picture was lost.
TEST_F(FailureTest, APictureThatCannotBeWrittenIsToldAndTheStatusSaysSo) {
    fs::path recording = folder / "short.replay";
    std::ofstream(recording) << "TIDERUSH replay 1\nseed 5\n20 32=1/1\n21 32=0/0\nend 40\n";
    GameProcess replay(TIDERUSH_BINARY,
                       {"--windowed", "--fast", "--replay", recording.string(), "--shot", "10:/dev/full", "--shot",
                        "30:" + (folder / "kept.png").string()},
                       Environment());
    EXPECT_EQ(replay.Wait(60000), 1) << replay.Errors();
    EXPECT_EQ(Said(replay.Errors()), std::vector<std::string>{"tiderush: cannot write the picture of step 10 to /dev/full"});
    EXPECT_TRUE(fs::exists(folder / "kept.png"));
    EXPECT_EQ(replay.Output().rfind("replay: 40 steps", 0), 0u) << replay.Output();
}
