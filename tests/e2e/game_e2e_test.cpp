// The real tiderush program under the test display, driven by real key
// presses from xdotool; screenshots are checked and kept in the build folder.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "game_process.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

constexpr int kWater[3] = {50, 50, 150};
constexpr int kBand[3] = {25, 25, 75};  // water under black at half alpha

std::string Shot(const std::string& name) { return std::string(TIDERUSH_SHOTS) + "/" + name + ".png"; }

class GameTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server";
        ASSERT_TRUE(fs::exists(fs::path(TIDERUSH_BINARY).parent_path() / "Data/Images/boat.png"))
            << "the game's data was not built";
        fs::create_directories(TIDERUSH_SHOTS);
        wave = fs::temp_directory_path() / ("vellum-e2e-" + std::to_string(getpid()) + ".wav");
        conf = fs::temp_directory_path() / ("vellum-e2e-" + std::to_string(getpid()) + ".conf");
        std::ofstream(conf) << "[general]\ndrivers = wave\n[wave]\nfile = " << wave.string() << "\n";
    }
    void TearDown() override {
        game.reset();
        fs::remove(wave);
        fs::remove(conf);
    }

    // Starts the game and waits for its title screen.
    void Start(std::vector<std::string> args = {"--windowed", "--seed", "7"}, const std::string& binary = TIDERUSH_BINARY,
               bool dialogs = false) {
        std::vector<std::string> env = {"ALSOFT_CONF=" + conf.string(), dialogs ? "VELLUM_NO_DIALOGS=0" : "VELLUM_NO_DIALOGS=1"};
        game = std::make_unique<GameProcess>(binary, args, env);
        // The game opens its screen twice before the title: take the window
        // once the title shows.
        ASSERT_TRUE(WaitFor([](const Screen& s) { return s.Count(0, 0, 40, 40, kWater[0], kWater[1], kWater[2]) > 1500; },
                            10000))
            << "no title screen " << game->Errors();
        window = game->WaitForWindow(5000);
        ASSERT_FALSE(window.empty()) << game->Errors();
        Xdotool("windowfocus --sync " + window);
        Xdotool("mousemove --window " + window + " 512 600");
    }

    // Captures the screen until the check passes (or 5 seconds pass).
    bool WaitFor(const std::function<bool(const Screen&)>& check, int ms = 5000) {
        for (int waited = 0; waited < ms; waited += 100) {
            last = CaptureScreen();
            if (last.width >= 1024 && check(last)) return true;
            Sleep(100);
        }
        return false;
    }

    void Key(const std::string& keys) { Xdotool("key --delay 60 " + keys); }

    std::unique_ptr<GameProcess> game;
    std::string window;
    Screen last;
    fs::path wave, conf;
};

bool HasHud(const Screen& s) {
    return s.Count(700, 0, 60, 2, kBand[0], kBand[1], kBand[2], 6) > 100 &&
           s.Count(20, 760, 200, 8, kBand[0], kBand[1], kBand[2], 6) > 1400;
}

}  // namespace

TEST_F(GameTest, TheTitleShowsItsHeadingTheBoatAndTheWater) {
    Start();
    Sleep(300);
    last = CaptureScreen();
    last.SavePng(Shot("title"));
    EXPECT_GT(last.Count(0, 0, 1024, 140, 100, 255, 255, 40), 800) << "heading";
    EXPECT_GT(last.Count(0, 690, 1024, 78, 255, 255, 0, 40), 300) << "press space line";
    EXPECT_GT(last.CountOther(472, 324, 80, 120, kWater[0], kWater[1], kWater[2]), 800) << "boat";
    EXPECT_EQ(last.CountOther(0, 200, 200, 300, kWater[0], kWater[1], kWater[2], 2), 0) << "water";
    Key("Escape");
    EXPECT_EQ(game->Wait(5000), 0) << game->Errors();
}

TEST_F(GameTest, SpaceStartsLevelOneAndTheArrowsSteer) {
    Start();
    Key("space");
    // However many steps a loaded machine runs between two looks, the test
    // goes on from what it sees: the HUD with the speed bar filling, then
    // the boat out of its place and to its left.
    auto speedBar = [](const Screen& s) { return s.Count(300, 728, 424, 40, 255, 50, 50, 30) > 200; };
    ASSERT_TRUE(WaitFor([&](const Screen& s) { return HasHud(s) && speedBar(s); })) << "no HUD";
    last.SavePng(Shot("game"));
    EXPECT_GT(last.Count(0, 0, 1024, 30, 100, 255, 100, 60), 100) << "lives and score rows";
    int boatBefore = last.CountOther(492, 530, 40, 60, kWater[0], kWater[1], kWater[2]);
    EXPECT_GT(boatBefore, 400);
    Xdotool("keydown Left");
    bool steered = WaitFor([&](const Screen& s) {
        return s.CountOther(492, 530, 40, 60, kWater[0], kWater[1], kWater[2]) < boatBefore / 4 &&
               s.CountOther(300, 530, 192, 60, kWater[0], kWater[1], kWater[2]) > 400;
    });
    Xdotool("keyup Left");
    last.SavePng(Shot("game-steered"));
    EXPECT_TRUE(steered) << "the boat did not move left";
    Key("ctrl+x");
    EXPECT_EQ(game->Wait(5000), 0) << game->Errors();
}

TEST_F(GameTest, TestKeyQLeadsToGameOver) {
    Start();
    Key("space");
    ASSERT_TRUE(WaitFor(HasHud));
    Key("q");
    ASSERT_TRUE(WaitFor([](const Screen& s) { return s.Count(0, 270, 1024, 130, 255, 100, 100, 40) > 800; }))
        << "no game-over heading";
    Sleep(300);
    last = CaptureScreen();
    last.SavePng(Shot("game-over"));
    EXPECT_GT(last.Count(0, 395, 1024, 100, 255, 255, 255, 30), 300) << "final score and level";
    EXPECT_FALSE(HasHud(last));
    Key("space");
    EXPECT_TRUE(WaitFor([](const Screen& s) { return s.Count(0, 0, 1024, 140, 100, 255, 255, 40) > 800; }))
        << "not back at the title";
}

TEST_F(GameTest, TestKeyJCompletesTheLevelAndSpaceStartsTheNext) {
    Start();
    Key("space");
    ASSERT_TRUE(WaitFor(HasHud));
    Key("j");
    ASSERT_TRUE(WaitFor([](const Screen& s) { return s.Count(0, 270, 1024, 130, 100, 255, 100, 40) > 800; }))
        << "no level-complete heading";
    last.SavePng(Shot("level-complete"));
    Key("space");
    ASSERT_TRUE(WaitFor(HasHud)) << "level 2 did not start";
    Sleep(400);
    CaptureScreen().SavePng(Shot("level-2"));
}

TEST_F(GameTest, FullScreenIsTheDefaultAndMusicReachesTheSpeakers) {
    Start({"--seed", "3"});
    std::string geometry = Xdotool("getwindowgeometry " + window);
    EXPECT_NE(geometry.find("1024x768"), std::string::npos) << geometry;
    Sleep(1500);
    Key("Escape");
    ASSERT_EQ(game->Wait(5000), 0) << game->Errors();
    // The wave output: 16-bit samples after a 44-byte header; the title music is not silence.
    std::ifstream in(wave, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u + 44100);
    double sum = 0;
    size_t count = (bytes.size() - 44) / 2;
    for (size_t i = 0; i < count; ++i) {
        int16_t sample;
        std::memcpy(&sample, &bytes[44 + 2 * i], 2);
        sum += double(sample) * sample;
    }
    EXPECT_GT(std::sqrt(sum / count), 100.0) << "silent output";
}

TEST_F(GameTest, AMissingPictureIsReportedAndEndsTheProgram) {
    fs::path folder = fs::temp_directory_path() / ("vellum-e2e-missing-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(fs::path(TIDERUSH_BINARY).parent_path() / "Data", folder / "Data", fs::copy_options::recursive);
    fs::copy_file(TIDERUSH_BINARY, folder / "tiderush");
    fs::remove(folder / "Data/Images/rock.png");
    game = std::make_unique<GameProcess>((folder / "tiderush").string(), std::vector<std::string>{"--windowed"},
                                         std::vector<std::string>{"ALSOFT_CONF=" + conf.string(), "VELLUM_NO_DIALOGS=0"});
    // The message box waits for its OK: find it (the window with the
    // program's caption and no class), give it the keyboard and press Return.
    std::string box;
    for (int waited = 0; waited < 10000 && game->Running(); waited += 300) {
        std::istringstream tree(e2e::Run("xwininfo -root -tree"));
        for (std::string line; std::getline(tree, line);) {
            if (line.find("\"Vellum Application\": ()") == std::string::npos) continue;
            std::istringstream(line) >> box;
            Xdotool("windowfocus " + box);
            Xdotool("key Return");
        }
        Sleep(300);
    }
    int status = game->Wait(10000);
    fs::remove_all(folder);
    EXPECT_FALSE(box.empty()) << "no message box";
    EXPECT_EQ(status, 255);
    EXPECT_NE(game->Errors().find("Error loading image Data/Images/rock.png"), std::string::npos) << game->Errors();
}

TEST_F(GameTest, WithoutASoundDeviceOneLineSaysSoAndTheGamePlaysSilently) {
    // No sound library finds a device: OpenAL and SDL are given none to use.
    game = std::make_unique<GameProcess>(
        TIDERUSH_BINARY, std::vector<std::string>{"--windowed", "--seed", "7"},
        std::vector<std::string>{"ALSOFT_CONF=/dev/null", "ALSOFT_DRIVERS=nosuch", "SDL_AUDIODRIVER=nosuch",
                                 "VELLUM_NO_DIALOGS=1"});
    ASSERT_TRUE(WaitFor([](const Screen& s) { return s.Count(0, 0, 40, 40, kWater[0], kWater[1], kWater[2]) > 1500; },
                        10000))
        << game->Errors();
    window = game->WaitForWindow(5000);
    ASSERT_FALSE(window.empty());
    Xdotool("windowfocus --sync " + window);
    Key("space");
    EXPECT_TRUE(WaitFor(HasHud)) << "the game does not play without sound";
    Key("ctrl+x");
    ASSERT_EQ(game->Wait(5000), 0) << game->Errors();
    std::string errors = game->Errors();
    const std::string line =
        "sound is off: no sound device could be opened; it comes on by itself once one appears\n";
    EXPECT_EQ(errors.rfind(line, 0), 0u) << errors;  // first, and only once
    EXPECT_EQ(errors.find(line, 1), std::string::npos) << errors;
    EXPECT_EQ(errors.find("ALSA"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("AL lib"), std::string::npos) << errors;
}
