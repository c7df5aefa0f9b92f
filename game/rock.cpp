#include "game/globals.h"
#include "game/placement.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/scenery.h"

namespace tiderush {

Ref<vellum::TList> TRock::rockList;
int TRock::rockSpawnCounter = 0;
int TRock::rockSpawnDistance = 120;

Ref<TRock> TRock::CreateRock(int px, int py) {
    auto rock = vellum::New<TRock>();
    rock->x = static_cast<float>(px);
    rock->y = static_cast<float>(py);
    rock->SetImage(imageBank->Find(u"rock"));
    rock->power = 2 * vellum::RandomInt(2, 8);
    rock->SetSize(8 * rock->power, 8 * rock->power);
    rock->scaleX = static_cast<float>(rock->width) / static_cast<float>(rock->gameImage->w);
    rock->scaleY = rock->scaleX;
    if (!rockList) rockList = vellum::New<vellum::TList>();
    rockList->AddLast(rock);
    return rock;
}

void TRock::CreateRandomRock(int offscreen) {
    auto rock = CreateRock(0, 0);
    if (!PlaceAtRandom(*rock, 0, currentLevel->width, offscreen)) rock->RemoveFromRockList();
}

Ref<vellum::TList> TRock::CreateRockList() {
    if (!rockList)
        rockList = vellum::New<vellum::TList>();
    else
        rockList->Clear();
    for (int i = 0; i < 3; ++i) CreateRandomRock(0);
    return rockList;
}

void TRock::DrawRockList() {
    if (!rockList) return;
    for (const auto& rock : rockList->Each<TRock>()) rock->Draw();
}

void TRock::MoveAll() {
    if (!rockList) return;
    for (const auto& rock : rockList->Each<TRock>()) {
        rock->y += player->scrollSpeed;
        if (!(rock->y - static_cast<float>(rock->h2) < renderer->screenHeight)) rock->RemoveFromRockList();
    }
    rockSpawnCounter = static_cast<int>(static_cast<float>(rockSpawnCounter) - player->scrollSpeed);
    if (rockSpawnCounter <= 0) {
        rockSpawnCounter += rockSpawnDistance;
        CreateRandomRock(1);
    }
}

void TRock::RemoveFromRockList() {
    if (rockList) rockList->Remove(Self(this));
}

}  // namespace tiderush
