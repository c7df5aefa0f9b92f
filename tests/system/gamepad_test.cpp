// Gamepads through the real SDL system driver, driven by SDL's virtual
// joysticks: no hardware needed.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <algorithm>

#include "system/event.h"
#include "system/event_queue.h"
#include "system/gamepad.h"
#include "system/polled_input.h"
#include "system/system_driver.h"
#include "system_driver_seam.h"

using namespace vellum;

namespace {

class GamepadTest : public testing::Test {
protected:
    void SetUp() override {
        InitPolledInputModule();
        InitEventQueueModule();
        ASSERT_TRUE(SystemDriver()) << "no SDL system driver";
        StartPolledInput(nullptr);
        PollSystemEvents();
        while (PollQueuedEvent()) {
        }
    }
    void TearDown() override {
        if (device >= 0) SDL_JoystickDetachVirtual(device);
    }

    // A virtual pad in the standard layout: 6 axes, 15 buttons.
    void Plug() {
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, PAD_AXIS_COUNT, PAD_BUTTON_COUNT, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(device);  // the handle that sets its buttons and axes
        ASSERT_NE(joystick, nullptr) << SDL_GetError();
    }
    void Unplug() {
        SDL_JoystickClose(joystick);
        SDL_JoystickDetachVirtual(device);
        device = -1;
    }
    // The queued events' descriptions, in order.
    std::vector<String> QueuedKinds() {
        PollSystemEvents();
        std::vector<String> kinds;
        while (PollQueuedEvent()) kinds.push_back(TEvent::DescriptionForId(CurrentEventId()));
        return kinds;
    }

    int device = -1;
    SDL_Joystick* joystick = nullptr;
};

}  // namespace

TEST_F(GamepadTest, APadPluggedInAfterStartIsSeenItsInputPolledAndItsUnpluggingPosted) {
    EXPECT_EQ(CountGamepads(), 0);
    Plug();
    EXPECT_EQ(CountGamepads(), 1);
    EXPECT_EQ(GamepadConnected(0), 1);
    EXPECT_FALSE(GamepadName(0).empty());
    auto kinds = QueuedKinds();
    ASSERT_FALSE(kinds.empty());
    EXPECT_EQ(kinds.front(), u"GamepadConnect");

    SDL_JoystickSetVirtualButton(joystick, PAD_BUTTON_A, 1);
    SDL_JoystickSetVirtualAxis(joystick, PAD_AXIS_LEFTX, -32768);
    SDL_JoystickSetVirtualAxis(joystick, PAD_AXIS_LEFTY, 16384);
    EXPECT_EQ(GamepadDown(0, PAD_BUTTON_A), 1);
    EXPECT_EQ(GamepadHits(0, PAD_BUTTON_A), 1);
    EXPECT_EQ(GamepadHits(0, PAD_BUTTON_A), 0);
    EXPECT_FLOAT_EQ(GamepadAxis(0, PAD_AXIS_LEFTX), -1.0f);
    EXPECT_NEAR(GamepadAxis(0, PAD_AXIS_LEFTY), 0.5f, 0.001f);
    SDL_JoystickSetVirtualButton(joystick, PAD_BUTTON_A, 0);
    SDL_JoystickSetVirtualButton(joystick, PAD_BUTTON_LEFT, 1);
    EXPECT_EQ(GamepadDown(0, PAD_BUTTON_A), 0);
    EXPECT_EQ(GamepadDown(0, PAD_BUTTON_LEFT), 1);

    // Losing the focus forgets what was held, as it does for keys.
    MakeEvent(EVENT_APPSUSPEND)->Emit();
    EXPECT_EQ(GamepadDown(0, PAD_BUTTON_LEFT), 0);
    EXPECT_EQ(GamepadAxis(0, PAD_AXIS_LEFTX), 0.0f);
    EXPECT_EQ(GamepadConnected(0), 1);

    QueuedKinds();
    Unplug();
    EXPECT_EQ(CountGamepads(), 0);
    EXPECT_EQ(GamepadConnected(0), 0);
    kinds = QueuedKinds();
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), String(u"GamepadDisconnect")), kinds.end());
    EXPECT_EQ(MakeEvent(EVENT_GAMEPADDISCONNECT, nullptr, 0)->ToString(),
              u"GamepadDisconnect: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST_F(GamepadTest, ASecondPadTakesTheNextIndexAndTheFirstFreeIndexIsReused) {
    Plug();
    int first = device;
    SDL_Joystick* firstHandle = joystick;
    device = -1;
    Plug();
    EXPECT_EQ(CountGamepads(), 2);
    SDL_JoystickSetVirtualButton(joystick, PAD_BUTTON_B, 1);
    EXPECT_EQ(GamepadDown(1, PAD_BUTTON_B), 1);
    EXPECT_EQ(GamepadDown(0, PAD_BUTTON_B), 0);
    SDL_JoystickClose(firstHandle);
    SDL_JoystickDetachVirtual(first);
    EXPECT_EQ(GamepadConnected(0), 0);
    EXPECT_EQ(GamepadConnected(1), 1);
    int second = device;
    SDL_Joystick* secondHandle = joystick;
    device = -1;
    Plug();
    EXPECT_EQ(GamepadConnected(0), 1);  // the new pad fills the gap
    SDL_JoystickClose(secondHandle);
    SDL_JoystickDetachVirtual(second);
}
