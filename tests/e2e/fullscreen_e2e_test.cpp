// Full screen on a display without a 1024 x 768 mode: the game falls back to
// the desktop's own size with its picture scaled to fit and centred.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game_process.h"

using namespace e2e;
namespace fs = std::filesystem;

TEST(FullScreen, WithoutA1024x768ModeThePictureIsScaledToTheDesktopAndCentred) {
    // A server whose only mode is 1920 x 1080.
    PrivateDisplay display("1920x1080x24");
    ASSERT_GT(CaptureScreen(display.name.c_str()).width, 0) << "no private X server";
    fs::path conf = fs::temp_directory_path() / ("vellum-fullscreen-" + std::to_string(getpid()) + ".conf");
    {
        std::ofstream(conf) << "[general]\ndrivers = null\n";
    }
    GameProcess game(TIDERUSH_BINARY, {"--seed", "7"},
                     {"DISPLAY=" + display.name, "ALSOFT_CONF=" + conf.string(), "VELLUM_NO_DIALOGS=1"});
    // 1024 x 768 at 1.40625 is 1440 x 1080: black bars of 240 pixels either side.
    Screen screen;
    bool shown = false;
    for (int waited = 0; waited < 15000 && !shown && game.Running(); waited += 200) {
        Sleep(200);
        screen = CaptureScreen(display.name.c_str());
        shown = screen.Count(260, 200, 100, 100, 50, 50, 150) > 9000;
    }
    fs::remove(conf);
    ASSERT_TRUE(shown) << "no title in the middle of the screen " << game.Errors();
    screen.SavePng(std::string(TIDERUSH_SHOTS) + "/fullscreen-fallback.png");
    EXPECT_EQ(screen.CountOther(0, 0, 230, 1080, 0, 0, 0, 4), 0) << "left bar";
    EXPECT_EQ(screen.CountOther(1690, 0, 230, 1080, 0, 0, 0, 4), 0) << "right bar";
    EXPECT_EQ(screen.CountOther(250, 300, 200, 400, 50, 50, 150, 4), 0) << "water on the picture's left";
    // The heading, 1.4 times its size, in the middle at the top.
    EXPECT_GT(screen.Count(240, 0, 1440, 200, 100, 255, 255, 40), 1600) << "heading";
    std::string window = display.Xdotool("search --onlyvisible --pid " + std::to_string(game.Pid()));
    window = window.substr(0, window.find('\n'));
    ASSERT_FALSE(window.empty());
    EXPECT_NE(display.Xdotool("getwindowgeometry " + window).find("1920x1080"), std::string::npos);
    display.Xdotool("windowfocus --sync " + window);
    display.Xdotool("key Escape");
    EXPECT_EQ(game.Wait(5000), 0) << game.Errors();
}
