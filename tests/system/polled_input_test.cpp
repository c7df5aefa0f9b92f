#include <gtest/gtest.h>

#include "system/event.h"
#include "system/polled_input.h"
#include "system/system_driver.h"
#include "system_driver_seam.h"

using namespace vellum;

namespace {

struct TWindowStandIn : TObject {};

void Emit(int id, int data = 0, int x = 0, int y = 0, Ref<TObject> source = nullptr) {
    MakeEvent(id, std::move(source), data, 0, x, y)->Emit();
}

// Polled input fed by emitted events, with no system driver in the way.
class PolledInputTest : public testing::Test {
protected:
    void SetUp() override {
        InitPolledInputModule();
        SetSystemDriver(nullptr);
        StartPolledInput(nullptr);
    }
};

}  // namespace

TEST_F(PolledInputTest, AHeldKeyCountsOneHitEveryPressCounts) {
    Emit(EVENT_KEYDOWN, KEY_A);
    for (int i = 0; i < 30; ++i) Emit(EVENT_KEYREPEAT, KEY_A);
    Emit(EVENT_KEYDOWN, KEY_A);  // a second key-down while held is not a press
    EXPECT_EQ(KeyDown(KEY_A), 1);
    EXPECT_EQ(KeyHits(KEY_A), 1);
    Emit(EVENT_KEYUP, KEY_A);
    EXPECT_EQ(KeyDown(KEY_A), 0);
    for (int i = 0; i < 3; ++i) {
        Emit(EVENT_KEYDOWN, KEY_SPACE);
        Emit(EVENT_KEYUP, KEY_SPACE);
    }
    EXPECT_EQ(KeyHits(KEY_SPACE), 3);
    EXPECT_EQ(KeyHits(KEY_SPACE), 0);
}

TEST_F(PolledInputTest, CharacterQueueHoldsAtMost256) {
    for (int i = 0; i < 300; ++i) Emit(EVENT_KEYCHAR, 1000 + i);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(NextKeyChar(), 1000 + i);
    EXPECT_EQ(NextKeyChar(), 0);
    Emit(EVENT_KEYCHAR, 'x');
    FlushKeys();
    EXPECT_EQ(NextKeyChar(), 0);
}

TEST_F(PolledInputTest, MousePositionWheelAndDeltas) {
    Emit(EVENT_MOUSEMOVE, 0, 40, 30);
    EXPECT_EQ(MouseXDelta(), 40);  // the first delta is the position itself
    EXPECT_EQ(MouseXDelta(), 0);
    Emit(EVENT_MOUSEWHEEL, 1);
    Emit(EVENT_MOUSEWHEEL, -2);
    EXPECT_EQ(MouseWheelPosition(), -1);
    EXPECT_EQ(MouseWheelDelta(), -1);
    Emit(EVENT_MOUSEDOWN, 2, 40, 30);
    EXPECT_EQ(MouseButtonDown(2), 1);
    FlushMouse();
    EXPECT_EQ(MouseButtonDown(2), 0);
    EXPECT_EQ(MouseHits(2), 0);
    EXPECT_EQ(MouseWheelPosition(), 0);
    EXPECT_EQ(MouseX(), 40);
    EXPECT_EQ(MouseY(), 30);
    Emit(EVENT_MOUSEMOVE, 0, 45, 31);
    EXPECT_EQ(MouseYDelta(), 31);  // each axis keeps its own previous value
    EXPECT_EQ(MouseXDelta(), 5);
}

TEST_F(PolledInputTest, SuspendFlushesAndTerminateReadsOnce) {
    Emit(EVENT_KEYDOWN, KEY_LEFT);
    Emit(EVENT_MOUSEDOWN, 1);
    Emit(EVENT_APPSUSPEND);
    EXPECT_EQ(AppIsSuspended(), 1);
    EXPECT_EQ(KeyDown(KEY_LEFT), 0);
    EXPECT_EQ(KeyHits(KEY_LEFT), 0);
    EXPECT_EQ(MouseHits(1), 0);
    Emit(EVENT_APPRESUME);
    EXPECT_EQ(AppIsSuspended(), 0);
    Emit(EVENT_APPTERMINATE);
    EXPECT_EQ(AppTerminateRequested(), 1);
    EXPECT_EQ(AppTerminateRequested(), 0);
}

TEST_F(PolledInputTest, OutOfRangeIndexesAreIgnored) {
    for (int bad : {-1, 256, 100000}) {
        Emit(EVENT_KEYDOWN, bad);
        Emit(EVENT_KEYUP, bad);
        Emit(EVENT_MOUSEDOWN, bad);
        EXPECT_EQ(KeyHits(bad), 0);
        EXPECT_EQ(KeyDown(bad), 0);
        EXPECT_EQ(MouseHits(bad), 0);
        EXPECT_EQ(MouseButtonDown(bad), 0);
    }
}

TEST_F(PolledInputTest, ASourceFilterCountsOnlyItsEvents) {
    StopPolledInput();
    auto window = New<TWindowStandIn>();
    StartPolledInput(window);
    Emit(EVENT_KEYDOWN, KEY_B, 0, 0, New<TWindowStandIn>());
    Emit(EVENT_KEYDOWN, KEY_C, 0, 0, window);
    EXPECT_EQ(KeyHits(KEY_B), 0);
    EXPECT_EQ(KeyHits(KEY_C), 1);
    StopPolledInput();
    Emit(EVENT_KEYUP, KEY_C, 0, 0, window);
    Emit(EVENT_KEYDOWN, KEY_C, 0, 0, window);
    EXPECT_EQ(KeyHits(KEY_C), 0);  // stopped: nothing counts
}

TEST_F(PolledInputTest, WaitsWithoutADriverReturnAtOnce) {
    EXPECT_EQ(WaitKeyHit(), 0);
    EXPECT_EQ(WaitKeyChar(), 0);
    EXPECT_EQ(WaitMouseHit(), 0);
}
