#include "game/screen_text.h"

#include "game/game_app.h"
#include "game/globals.h"

namespace tiderush {

void DrawHeadingText(const vellum::String& text, float y, int r, int g, int b) {
    renderer->OutputTextCentered(text, y, gameFont, 1.0f, 1.5f, TColor::Create(r, g, b, 1.0f),
                                 TShadow::Create(3.0f, 3.0f, 0.5f));
}

void DrawLineText(const vellum::String& text, float y, int r, int g, int b) {
    renderer->OutputTextCentered(text, y, gameFont, 0.5f, 0.8f, TColor::Create(r, g, b, 1.0f),
                                 TShadow::Create(2.0f, 2.0f, 0.5f));
}

Ref<vellum::TSound> StartScreenMusic(const vellum::String& musicFile) {
    game->LoadMusic(musicFile, vellum::SOUND_LOOP | vellum::SOUND_STREAM);
    game->PlayMusic();
    return game->LoadGameSound(u"select.wav", 0);
}

}  // namespace tiderush
