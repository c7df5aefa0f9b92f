// The program thread hammering the request ring while a mixing thread
// consumes it; ./test runs it under ThreadSanitizer as well.

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "mixer_test_util.h"

namespace vellum::test {
namespace {

bool WaitUntil(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(MixerConcurrencyTest, TheProgramPostsWhileTheMixingThreadConsumes) {
    auto device = std::make_shared<TMixerMemoryDevice>(128, true);
    ASSERT_EQ(MixerOpen(device), 0);
    int hum = MakeMixerSound(std::vector<std::int16_t>(64, 4096), 1, 44100, true);
    int blip = MakeMixerSound(std::vector<std::int16_t>(32, 100));
    std::atomic<bool> stop{false};
    std::atomic<long long> rendered{0};
    std::thread mixing([&] {
        while (!stop.load(std::memory_order_relaxed)) {
            device->Render(64);
            rendered.fetch_add(64, std::memory_order_relaxed);
        }
    });

    int dropped = MixerDroppedRequests();
    int handle = MixerPlaySound(hum, 0, MixerAllocChannel());
    ASSERT_NE(handle, 0);
    for (int i = 0; i < 20000; ++i) {
        MixerSetVolume(handle, static_cast<float>(i % 8) / 8.0f);
        MixerSetPan(handle, static_cast<float>(i % 5 - 2) / 2.0f);
        MixerSetRate(handle, 1.0f + static_cast<float>(i % 3) / 4.0f);
        if (i % 5 == 0) MixerPlaySound(blip, 0, 0);  // temporaries free themselves through the notice ring
        if (i % 50 == 0) {
            // Whatever the mixer has got to, the status answers for every request made.
            MixerSetPaused(handle, 1);
            ASSERT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_LOOP | MIXER_PAUSED) << i;
            MixerSetPaused(handle, 0);
            ASSERT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_LOOP) << i;
        }
        MixerChannelPosition(handle);
    }
    MixerSetVolume(handle, 0.25f);
    MixerSetPan(handle, 0.0f);
    MixerSetRate(handle, 1.0f);
    long long mark = rendered.load();
    EXPECT_TRUE(WaitUntil([&] { return rendered.load() > mark + 256; }));
    stop = true;
    mixing.join();

    auto out = device->Render(4);
    EXPECT_EQ(out[0], 1024);  // the last settings won, and every blip is over
    EXPECT_EQ(out[1], 1024);
    EXPECT_EQ(MixerDroppedRequests(), dropped);  // the program waited for room instead
    // Every temporary slot came back.
    int free = 0;
    while (MixerAllocChannel()) ++free;
    EXPECT_EQ(free, MIXER_SLOTS - 2);
    MixerClose();
    MixerFreeSound(hum);
    MixerFreeSound(blip);
}

}  // namespace
}  // namespace vellum::test
