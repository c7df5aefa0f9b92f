// The game steered with a gamepad: a virtual SDL joystick plugged in while
// the game runs, read through the real SDL system driver.

#include <SDL2/SDL.h>

#include "system_driver_seam.h"
#include "game_test_util.h"

using namespace tiderush;

namespace {

class GamepadGame : public testutil::GameWorld {
protected:
    void SetUp() override {
        vellum::InitSystemModule();
        Ref<vellum::TSystemDriver> native = vellum::SystemDriver();
        ASSERT_TRUE(native) << "no SDL system driver";
        GameWorld::SetUp();
        vellum::SetSystemDriver(native);  // pads come from SDL, keys still from the test
        device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, vellum::PAD_AXIS_COUNT,
                                           vellum::PAD_BUTTON_COUNT, 0);
        ASSERT_GE(device, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(device);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
        ASSERT_EQ(vellum::CountGamepads(), 1);
    }
    void TearDown() override {
        if (pad) SDL_JoystickClose(pad);
        if (device >= 0) SDL_JoystickDetachVirtual(device);
        GameWorld::TearDown();
    }
    // Presses and releases a button across two steps.
    void Tap(int button) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        game->Logic();
        SDL_JoystickSetVirtualButton(pad, button, 0);
        game->Logic();
    }

    int device = -1;
    SDL_Joystick* pad = nullptr;
};

}  // namespace

TEST_F(GamepadGame, TheStickAndTheDpadSteerTheBoatAStartsAndBackLeaves) {
    game->AddScreenToStack(TTitleScreen::Create());
    Tap(vellum::PAD_BUTTON_A);
    ASSERT_EQ(game->currentScreen->name, u"Game");

    float start = player->x;
    SDL_JoystickSetVirtualAxis(pad, vellum::PAD_AXIS_LEFTX, -30000);
    for (int i = 0; i < 5; ++i) game->Logic();
    EXPECT_EQ(player->x, start - 5 * player->speedX);
    SDL_JoystickSetVirtualAxis(pad, vellum::PAD_AXIS_LEFTX, -8000);  // inside the dead zone
    game->Logic();
    EXPECT_EQ(player->x, start - 5 * player->speedX);
    SDL_JoystickSetVirtualAxis(pad, vellum::PAD_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualButton(pad, vellum::PAD_BUTTON_RIGHT, 1);
    for (int i = 0; i < 3; ++i) game->Logic();
    EXPECT_EQ(player->x, start - 2 * player->speedX);
    SDL_JoystickSetVirtualButton(pad, vellum::PAD_BUTTON_RIGHT, 0);

    Tap(vellum::PAD_BUTTON_BACK);
    EXPECT_EQ(game->currentScreen->name, u"Title");
    Tap(vellum::PAD_BUTTON_START);
    EXPECT_EQ(game->currentScreen->name, u"Game");
}
