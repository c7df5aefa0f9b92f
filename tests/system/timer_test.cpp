#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "system/event_queue.h"
#include "system/hook.h"
#include "system/system_driver.h"
#include "system_driver_seam.h"
#include "main_thread_call.h"
#include "system/timer.h"

using namespace vellum;

namespace {

struct TTickLog : TObject {
    std::vector<int> data;
    std::vector<Ref<TEvent>> events;
};

Ref<TObject> LogTicks(int, const Ref<TObject>& data, const Ref<TObject>& context) {
    auto event = Cast<TEvent>(data);
    if (event && event->id == EVENT_TIMERTICK) {
        Cast<TTickLog>(context)->data.push_back(event->data);
        Cast<TTickLog>(context)->events.push_back(event);
    }
    return data;
}

class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        InitEventQueueModule();
        ASSERT_NE(SystemDriver(), nullptr);
        InsertHook(EmitHookId(), LogTicks, log, 0);
    }
    Ref<TTickLog> log = New<TTickLog>();
};

}  // namespace

TEST_F(TimerTest, TicksCarryARunningCountAndTheTimerAsSource) {
    auto timer = CreateTimer(100);
    ASSERT_NE(timer, nullptr);
    while (TimerTicks(timer) < 3) ASSERT_GE(WaitTimer(timer), 1);
    ASSERT_GE(log->data.size(), 3u);
    EXPECT_EQ((std::vector<int>(log->data.begin(), log->data.begin() + 3)), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(log->events[0]->source, timer);
    StopTimer(timer);
    EXPECT_EQ(WaitTimer(timer), 0);
}

TEST_F(TimerTest, AGivenEventIsEmittedEveryTick) {
    auto event = MakeEvent(EVENT_TIMERTICK, nullptr, 77);
    auto timer = CreateTimer(200, event);
    ASSERT_NE(timer, nullptr);
    while (TimerTicks(timer) < 2) WaitTimer(timer);
    ASSERT_GE(log->events.size(), 2u);
    EXPECT_EQ(log->events[0], event);
    EXPECT_EQ(log->events[1], event);
    StopTimer(timer);
}

TEST_F(TimerTest, TicksAccumulateWhileTheProgramIsBusy) {
    using std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(16);  // 60 Hz, truncated
    auto created = steady_clock::now();
    auto timer = CreateTimer(60);
    ASSERT_NE(timer, nullptr);
    int ticks = WaitTimer(timer);
    // Busy for a dozen periods without pumping: the ticks wait in the queue
    // and one wait returns them all, never more than the clock allows.
    auto busyUntil = steady_clock::now() + 12 * period;
    while (steady_clock::now() < busyUntil) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    int piled = WaitTimer(timer);
    ticks += piled;
    EXPECT_GE(piled, 2);
    EXPECT_LE(ticks, (steady_clock::now() - created) / period + 1);
    EXPECT_EQ(TimerTicks(timer), ticks);
    StopTimer(timer);
}

TEST_F(TimerTest, AtMostSixteenRunAtOnce) {
    std::vector<Ref<TTimer>> timers;
    for (int i = 0; i < kMaxTimers; ++i) {
        timers.push_back(CreateTimer(10));
        ASSERT_NE(timers.back(), nullptr);
    }
    EXPECT_EQ(CreateTimer(10), nullptr);
    StopTimer(timers[3]);
    auto again = CreateTimer(10);
    EXPECT_NE(again, nullptr);
    for (auto& timer : timers) StopTimer(timer);
    StopTimer(again);
    EXPECT_EQ(CreateTimer(0), nullptr);
    EXPECT_EQ(CreateTimer(-5), nullptr);
}

TEST_F(TimerTest, TicksQueuedForAStoppedTimerAreIgnored) {
    auto timer = CreateTimer(500);
    ASSERT_NE(timer, nullptr);
    // Ticks travel as SDL events: wait until one is queued, unpumped.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!SDL_HasEvents(SDL_USEREVENT, SDL_LASTEVENT) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(SDL_HasEvents(SDL_USEREVENT, SDL_LASTEVENT));
    StopTimer(timer);
    PollSystemEvents();
    EXPECT_EQ(TimerTicks(timer), 0);
    EXPECT_TRUE(log->data.empty());
}

TEST(MainThreadCalls, RunInPostingOrderWhilePumping) {
    InitSystemModule();
    static std::vector<int> order;
    std::thread poster([] {
        for (int i = 0; i < 5; ++i) PostMainThreadCall([](int n) { order.push_back(n); }, i);
    });
    poster.join();
    EXPECT_TRUE(order.empty());  // nothing runs until the main thread pumps
    PollSystemEvents();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}
