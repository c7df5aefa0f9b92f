#include "game/game_app.h"
#include "game/game_input.h"
#include "game/globals.h"
#include "game/image_bank.h"
#include "game/profile.h"
#include "game/screen_text.h"
#include "game/screens.h"

namespace tiderush {

Ref<TTitleScreen> TTitleScreen::Create() {
    auto screen = vellum::New<TTitleScreen>();
    screen->name = u"Title";
    screen->Init();
    return screen;
}

void TTitleScreen::Init() {
    selectSound = StartScreenMusic(u"title.ogg");
}

void TTitleScreen::Draw() {
    DrawHeadingText(game->name, 10, 100, 255, 255);
    DrawLineText(u"Press <Space> to Play", 700, 255, 255, 0);
    vellum::SetScale(2.0f, 2.0f);
    vellum::SetRotation(static_cast<float>(rotation));
    vellum::DrawImage(imageBank->Find(u"boat")->image, static_cast<float>(renderer->screenWidth / 2),
                      static_cast<float>(renderer->screenHeight / 2), 0);
    vellum::SetRotation(0);
    vellum::SetScale(1.0f, 1.0f);
}

void TTitleScreen::Logic() {
    if (InputHits(vellum::KEY_ESCAPE)) throw TEndProgram{0};
    if (InputHits(vellum::KEY_SPACE)) {
        game->PlayGameSound(selectSound, selectChannel, 1.0f);
        StartGame();
        game->ChangeScreen(TGameScreen::Create());
    }
    rotation += 2;
    if (rotation > 360) rotation -= 360;
}

void TTitleScreen::StartGame() { profile = TProfile::Create(); }

}  // namespace tiderush
