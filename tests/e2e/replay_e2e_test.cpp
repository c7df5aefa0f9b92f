// A recorded game replayed by the real program: from the title through
// level 1 into level 2 and on to game over. The same file must give the same
// game every time: the same final screen, level and score, and the same
// pictures at chosen steps.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game_process.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

constexpr int kWater[3] = {50, 50, 150};
constexpr int kBand[3] = {25, 25, 75};  // the HUD's bands: water under black at half alpha

struct ReplayRun {
    std::string report;  // the program's closing line
    Screen title, play, gameOver;
};

bool HasHud(const Screen& s) {
    return s.Count(700, 0, 60, 2, kBand[0], kBand[1], kBand[2], 6) > 100 &&
           s.Count(20, 760, 200, 8, kBand[0], kBand[1], kBand[2], 6) > 1400;
}

ReplayRun Replay(const fs::path& folder) {
    fs::create_directories(folder);
    std::ofstream(folder / "openal.conf") << "[general]\ndrivers = null\n";
    GameProcess game(TIDERUSH_BINARY,
                     {"--windowed", "--fast", "--replay", std::string(TIDERUSH_REPLAYS) + "/level1-to-game-over.replay",
                      "--shot", "60:" + (folder / "title.png").string(), "--shot",
                      "700:" + (folder / "play.png").string(), "--shot", "1500:" + (folder / "over.png").string()},
                     {"ALSOFT_CONF=" + (folder / "openal.conf").string(), "VELLUM_NO_DIALOGS=1"});
    ReplayRun run;
    int status = game.Wait(100000);
    EXPECT_EQ(status, 0) << game.Errors();
    run.report = game.Output();
    run.title = LoadPng((folder / "title.png").string());
    run.play = LoadPng((folder / "play.png").string());
    run.gameOver = LoadPng((folder / "over.png").string());
    return run;
}

}  // namespace

TEST(Replay, ARecordedGameReplaysTheSameThreeTimesInARow) {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server";
    fs::path folder = fs::temp_directory_path() / ("vellum-replay-" + std::to_string(getpid()));
    std::vector<ReplayRun> runs;
    for (int i = 0; i < 3; ++i) runs.push_back(Replay(folder / std::to_string(i)));
    fs::create_directories(TIDERUSH_SHOTS);
    for (const char* name : {"title", "play", "over"})
        fs::copy_file(folder / "0" / (std::string(name) + ".png"), fs::path(TIDERUSH_SHOTS) / ("replay-" + std::string(name) + ".png"),
                      fs::copy_options::overwrite_existing);
    fs::remove_all(folder);

    for (const auto& run : runs) {
        EXPECT_EQ(run.report, "replay: 1603 steps, final screen \"Game Over\", level 2, score 44\n");
        ASSERT_EQ(run.title.width, 1024);
        ASSERT_EQ(run.play.width, 1024);
        ASSERT_EQ(run.gameOver.width, 1024);

        // Step 60, the title: heading, "Press <Space>" line and the turning boat.
        EXPECT_GT(run.title.Count(0, 0, 1024, 140, 100, 255, 255, 40), 800) << "heading";
        EXPECT_GT(run.title.Count(0, 690, 1024, 78, 255, 255, 0, 40), 300) << "press space line";
        EXPECT_GT(run.title.CountOther(432, 284, 160, 200, kWater[0], kWater[1], kWater[2]), 800) << "boat";
        EXPECT_FALSE(HasHud(run.title));

        // Step 700, level 1: the HUD, and the boat where the recording steered it.
        EXPECT_TRUE(HasHud(run.play));
        EXPECT_GT(run.play.Count(0, 0, 1024, 30, 255, 255, 100, 60), 100) << "pickups row";
        EXPECT_GT(run.play.CountOther(445, 530, 50, 80, kWater[0], kWater[1], kWater[2]), 1000) << "boat";
        EXPECT_LT(run.play.CountOther(0, 540, 300, 60, kWater[0], kWater[1], kWater[2]), 200) << "water left of it";

        // Step 1500, game over: heading and the final score and level lines.
        EXPECT_GT(run.gameOver.Count(0, 270, 1024, 130, 255, 100, 100, 40), 800) << "game-over heading";
        EXPECT_GT(run.gameOver.Count(0, 395, 1024, 100, 255, 255, 255, 30), 300) << "final score and level";
        EXPECT_FALSE(HasHud(run.gameOver));
    }
    // The same steps give the same pictures, to the last pixel.
    for (size_t i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].title.CountDifferentPixels(runs[0].title), 0) << "title, run " << i;
        EXPECT_EQ(runs[i].play.CountDifferentPixels(runs[0].play), 0) << "level 1, run " << i;
        EXPECT_EQ(runs[i].gameOver.CountDifferentPixels(runs[0].gameOver), 0) << "game over, run " << i;
    }
}
