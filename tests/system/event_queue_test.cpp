#include <gtest/gtest.h>

#include "runtime/handle.h"
#include "system/event_queue.h"
#include "system/system_driver.h"
#include "system_driver_seam.h"

using namespace vellum;

namespace {

struct TTimerStandIn : TObject {};

// A system driver that replays a script of events, one per pump.
class TReplayDriver : public TSystemDriver {
public:
    std::vector<Ref<TEvent>> script;
    int polls = 0, waits = 0, nestedPumps = 0;

    void Poll() override {
        ++polls;
        nestedPumps += PollSystemEvents() + WaitSystemEvents();  // re-entry is refused
        Next();
    }
    void Wait() override {
        ++waits;
        Next();
    }
    void MoveMouse(int, int) override {}
    void SetMouseVisible(int) override {}
    int Notify(const String&, int) override { return 0; }
    int Confirm(const String&, int) override { return 1; }
    int Proceed(const String&, int) override { return 1; }
    String RequestFile(const String&, const String&, int, const String&) override { return u""; }
    String RequestDir(const String&, const String&) override { return u""; }
    int OpenURL(const String&) override { return 0; }

private:
    void Next() {
        if (script.empty()) return;
        script.front()->Emit();
        script.erase(script.begin());
    }
};

}  // namespace

TEST(EventQueue, EmittedEventsAreQueuedInOrder) {
    InitEventQueueModule();
    MakeEvent(EVENT_KEYDOWN, nullptr, 65)->Emit();
    MakeEvent(EVENT_KEYUP, nullptr, 65)->Emit();
    EXPECT_EQ(PeekQueuedEvent()->id, EVENT_KEYDOWN);
    EXPECT_EQ(PollQueuedEvent(), EVENT_KEYDOWN);
    EXPECT_EQ(CurrentEventData(), 65);
    EXPECT_EQ(PollQueuedEvent(), EVENT_KEYUP);
    EXPECT_EQ(QueuedEventCount(), 0);
}

TEST(EventQueue, TimerTicksCoalescePerSource) {
    InitEventQueueModule();
    auto timer = New<TTimerStandIn>(), other = New<TTimerStandIn>();
    MakeEvent(EVENT_TIMERTICK, timer, 1)->Emit();
    MakeEvent(EVENT_TIMERTICK, timer, 2)->Emit();
    EXPECT_EQ(QueuedEventCount(), 1);
    MakeEvent(EVENT_TIMERTICK, other, 1)->Emit();
    MakeEvent(EVENT_KEYDOWN, timer, 1)->Emit();
    MakeEvent(EVENT_KEYDOWN, timer, 1)->Emit();  // key events never coalesce
    EXPECT_EQ(QueuedEventCount(), 4);
    EXPECT_EQ(PollQueuedEvent(), EVENT_TIMERTICK);
    EXPECT_EQ(CurrentEventData(), 2);
    EXPECT_EQ(CurrentEventSource(), timer);
    EXPECT_EQ(HandleToObject(CurrentEventSourceHandle()), timer);
}

TEST(EventQueue, AFullQueueDropsNewEvents) {
    InitEventQueueModule();
    for (int i = 0; i < 300; ++i) MakeEvent(EVENT_KEYDOWN, nullptr, i)->Emit();
    EXPECT_EQ(QueuedEventCount(), 256);
    PollQueuedEvent();
    EXPECT_EQ(CurrentEventData(), 0);
    MakeEvent(EVENT_KEYDOWN, nullptr, 1000)->Emit();  // room again for exactly one
    MakeEvent(EVENT_KEYDOWN, nullptr, 1001)->Emit();
    int last = 0;
    while (PollQueuedEvent()) last = CurrentEventData();
    EXPECT_EQ(last, 1000);
}

TEST(EventQueue, EmptyQueueMakesTheNullEventCurrent) {
    InitEventQueueModule();
    MakeEvent(EVENT_KEYCHAR, New<TTimerStandIn>(), 66, 1, 2, 3, BoxString(u"B"))->Emit();
    PollQueuedEvent();
    EXPECT_EQ(CurrentEventText(), u"B");
    EXPECT_EQ(PollQueuedEvent(), 0);
    EXPECT_EQ(PeekQueuedEvent(), nullptr);
    EXPECT_EQ(CurrentEventId(), 0);
    EXPECT_EQ(CurrentEventData(), 0);
    EXPECT_EQ(CurrentEventMods(), 0);
    EXPECT_EQ(CurrentEventX(), 0);
    EXPECT_EQ(CurrentEventY(), 0);
    EXPECT_EQ(CurrentEventSource(), nullptr);
    EXPECT_EQ(CurrentEventExtra(), nullptr);
    EXPECT_EQ(CurrentEventText(), u"");
    EXPECT_EQ(CurrentEventSourceHandle(), 0);
}

TEST(EventQueue, WaitingWithoutADriverDoesNotHang) {
    InitEventQueueModule();
    SetSystemDriver(nullptr);
    EXPECT_EQ(WaitQueuedEvent(), 0);
}

TEST(EventQueue, PollAndWaitPumpTheSystemDriverOnceAndNeverReenter) {
    InitEventQueueModule();
    auto driver = New<TReplayDriver>();
    driver->script = {MakeEvent(EVENT_KEYDOWN, nullptr, 1), MakeEvent(EVENT_KEYDOWN, nullptr, 2),
                      MakeEvent(EVENT_KEYDOWN, nullptr, 3)};
    SetSystemDriver(driver);
    EXPECT_EQ(PollQueuedEvent(), EVENT_KEYDOWN);
    EXPECT_EQ(CurrentEventData(), 1);
    EXPECT_EQ(WaitQueuedEvent(), EVENT_KEYDOWN);
    EXPECT_EQ(CurrentEventData(), 2);
    EXPECT_EQ(driver->polls, 1);
    EXPECT_EQ(driver->waits, 1);
    EXPECT_EQ(driver->nestedPumps, 0);
    EXPECT_EQ(Confirm(u"Quit?"), 1);
    SetSystemDriver(nullptr);
}
