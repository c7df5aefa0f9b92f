#include "game/game_app.h"
#include "game/game_input.h"
#include "game/globals.h"
#include "game/hud.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/scenery.h"
#include "game/screens.h"

namespace tiderush {

Ref<TGameScreen> TGameScreen::Create() {
    auto screen = vellum::New<TGameScreen>();
    screen->Init();
    screen->name = u"Game";
    return screen;
}

void TGameScreen::Init() {
    currentLevel = TLevel::Create();
    player = TPlayer::CreatePlayer();
    hud = THUD::Create();
    currentLevel->Init();
    particleList = TParticleList::Create();
    game->LoadMusic(u"game.ogg", vellum::SOUND_LOOP | vellum::SOUND_STREAM);
    game->PlayMusic();
    player->Accelerate();
}

void TGameScreen::Draw() {
    TWake::DrawWakeList();
    currentLevel->Draw();
    player->Draw();
    particleList->Draw();
    hud->Draw();
}

void TGameScreen::Logic() {
    // The rest of the step still runs after a change of screen.
    if (InputHits(vellum::KEY_ESCAPE)) game->ChangeScreen(TTitleScreen::Create());
    if (game->testMode) {
        if (InputHits(vellum::KEY_R)) game->currentScreen->Init();
        if (InputHits(vellum::KEY_Q)) {
            profile->lives = 0;
            player->DeathAnimStart();
        }
        if (InputHits(vellum::KEY_J)) {
            player->pickups = player->goal;
            player->GoalTest();
        }
    }
    currentLevel->Logic();
    player->Logic();
    particleList->Logic();
}

}  // namespace tiderush
