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
    auto timer = CreateTimer(60);
    ASSERT_NE(timer, nullptr);
    WaitTimer(timer);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto before = std::chrono::steady_clock::now();
    int ticks = WaitTimer(timer);
    auto waited = std::chrono::steady_clock::now() - before;
    // 100 ms at a 16 ms period: about six ticks, returned without waiting.
    EXPECT_GE(ticks, 5);
    EXPECT_LE(ticks, 7);
    EXPECT_LT(waited, std::chrono::milliseconds(10));
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
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // ticks pile up unpumped
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
