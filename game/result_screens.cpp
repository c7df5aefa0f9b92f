// The two screens between games and levels: level complete and game over.

#include "game/game_app.h"
#include "game/game_input.h"
#include "game/globals.h"
#include "game/profile.h"
#include "game/screen_text.h"
#include "game/screens.h"

namespace tiderush {

namespace {

// Escape or Space closes the screen; the change of screen flushes the keys,
// so one step never closes twice.
template <class Screen>
void CloseOnKeys(Screen& screen) {
    if (InputHits(vellum::KEY_ESCAPE)) screen.Close();
    if (InputHits(vellum::KEY_SPACE)) screen.Close();
}

}  // namespace

Ref<TLevelCompleteScreen> TLevelCompleteScreen::Create() {
    auto screen = vellum::New<TLevelCompleteScreen>();
    screen->name = u"Level Complete";
    screen->Init();
    return screen;
}

void TLevelCompleteScreen::Init() {
    selectSound = StartScreenMusic(u"levelcomplete.ogg");
}

void TLevelCompleteScreen::Draw() {
    DrawHeadingText(u"Level " + vellum::ToString(profile->level) + u" Complete!",
                static_cast<float>(renderer->screenHeight / 2 - 100), 100, 255, 100);
    DrawLineText(u"Press <Space> to Continue", 700, 255, 255, 0);
}

void TLevelCompleteScreen::Logic() { CloseOnKeys(*this); }

void TLevelCompleteScreen::Close() {
    profile->level += 1;
    game->PlayGameSound(selectSound, selectChannel, 1.0f);
    game->ChangeScreen(TGameScreen::Create());
}

Ref<TGameOverScreen> TGameOverScreen::Create() {
    auto screen = vellum::New<TGameOverScreen>();
    screen->name = u"Game Over";
    screen->Init();
    return screen;
}

void TGameOverScreen::Init() {
    selectSound = StartScreenMusic(u"gameover.ogg");
}

void TGameOverScreen::Draw() {
    DrawHeadingText(u"Game Over", static_cast<float>(renderer->screenHeight / 2 - 100), 255, 100, 100);
    DrawLineText(u"Final Score: " + PadWithZeros(vellum::ToString(profile->score), 5), 400, 255, 255, 255);
    DrawLineText(u"Final Level: " + vellum::ToString(profile->level), 450, 255, 255, 255);
    DrawLineText(u"Press <Space> to Continue", 700, 255, 255, 0);
}

void TGameOverScreen::Logic() { CloseOnKeys(*this); }

void TGameOverScreen::Close() {
    game->PlayGameSound(selectSound, selectChannel, 1.0f);
    game->ChangeScreen(TTitleScreen::Create());
}

}  // namespace tiderush
