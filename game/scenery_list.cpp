#include "game/scenery_list.h"

#include "game/globals.h"
#include "game/player.h"

namespace tiderush {

void RebuildSceneryList(Ref<vellum::TList>& list, CreateRandomFunction createRandom) {
    if (!list)
        list = vellum::New<vellum::TList>();
    else
        list->Clear();
    for (int i = 0; i < 3; ++i) createRandom(0);
}

void DrawSceneryList(const Ref<vellum::TList>& list) {
    if (!list) return;
    for (const auto& sprite : list->Each<TSprite>()) sprite->Draw();
}

void ScrollSceneryList(const Ref<vellum::TList>& list, int& spawnCounter, int spawnDistance,
                       CreateRandomFunction createRandom) {
    if (!list) return;
    for (const auto& sprite : list->Each<TSprite>()) {
        sprite->y += player->scrollSpeed;
        if (!(sprite->y - static_cast<float>(sprite->h2) < renderer->screenHeight)) list->Remove(sprite);
    }
    // The float difference truncated: the counter drops by the speed rounded up.
    spawnCounter = static_cast<int>(static_cast<float>(spawnCounter) - player->scrollSpeed);
    if (spawnCounter <= 0) {
        spawnCounter += spawnDistance;
        createRandom(1);
    }
}

void MakeScenerySquare(TSprite& sprite, int side) {
    sprite.SetSize(side, side);
    sprite.scaleX = static_cast<float>(sprite.width) / static_cast<float>(sprite.gameImage->w);
    sprite.scaleY = sprite.scaleX;
}

}  // namespace tiderush
