// The real tiderush program against a private PulseAudio server that goes
// away and comes back while the title music plays, and then the program
// itself stopped for 3 s.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "game_process.h"
#include "pulse_server.h"

namespace {

using std::chrono::seconds;

// The CPU share of process pid over a couple of seconds.
double CpuShare(pid_t pid) {
    double cpu = testutil::CpuSeconds(pid);
    auto start = std::chrono::steady_clock::now();
    e2e::Sleep(2000);
    std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return (testutil::CpuSeconds(pid) - cpu) / wall.count();
}

TEST(SoundServerE2ETest, MusicComesBackAfterTheServerRestartsAndAfterAStop) {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server";
    ASSERT_TRUE(testutil::PulseServer::Installed()) << "pulseaudio and pactl: run scripts/setup";
    testutil::PulseServer server;
    std::string conf = server.Folder() + "/openal.conf";
    std::ofstream(conf) << "[general]\ndrivers = pulse\n";
    ASSERT_TRUE(server.Start());
    e2e::GameProcess game(TIDERUSH_BINARY, {"--windowed"}, {"ALSOFT_CONF=" + conf, "VELLUM_NO_DIALOGS=1"});
    ASSERT_TRUE(server.WaitForSinkInputs(1, seconds(30))) << "no music at the title " << game.Errors();
    double playing = CpuShare(game.Pid());

    server.Stop();
    double away = CpuShare(game.Pid());
    EXPECT_LT(away, playing + 0.3) << "the game spins without its sound server";
    ASSERT_TRUE(server.Start());
    EXPECT_TRUE(server.WaitForSinkInputs(1, seconds(30))) << "the music did not come back " << game.Errors();

    kill(game.Pid(), SIGSTOP);
    std::this_thread::sleep_for(seconds(3));
    kill(game.Pid(), SIGCONT);
    EXPECT_TRUE(game.Running());
    EXPECT_TRUE(server.WaitForSinkInputs(1, seconds(30))) << "silent after a stop " << game.Errors();
}

TEST(SoundServerE2ETest, WithoutAServerAtStartTheGameSaysSoundComesOnByItselfAndItDoes) {
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "end-to-end tests need an X server";
    ASSERT_TRUE(testutil::PulseServer::Installed()) << "pulseaudio and pactl: run scripts/setup";
    testutil::PulseServer server;
    std::string conf = server.Folder() + "/openal.conf";
    std::ofstream(conf) << "[general]\ndrivers = pulse\n";
    e2e::GameProcess game(TIDERUSH_BINARY, {"--windowed"}, {"ALSOFT_CONF=" + conf, "VELLUM_NO_DIALOGS=1"});
    auto deadline = std::chrono::steady_clock::now() + seconds(30);
    while (game.Errors().find("sound is off") == std::string::npos && std::chrono::steady_clock::now() < deadline)
        e2e::Sleep(100);
    EXPECT_NE(game.Errors().find("it comes on by itself once one appears"), std::string::npos) << game.Errors();
    EXPECT_TRUE(game.Running());
    ASSERT_TRUE(server.Start());
    EXPECT_TRUE(server.WaitForSinkInputs(1, seconds(30))) << "sound did not come on " << game.Errors();
}

}  // namespace
