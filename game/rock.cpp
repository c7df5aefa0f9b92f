#include "game/globals.h"
#include "game/placement.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/scenery.h"
#include "game/scenery_list.h"

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
    MakeScenerySquare(*rock, 8 * rock->power);
    if (!rockList) rockList = vellum::New<vellum::TList>();
    rockList->AddLast(rock);
    return rock;
}

void TRock::CreateRandomRock(int offscreen) {
    auto rock = CreateRock(0, 0);
    if (!PlaceAtRandom(*rock, 0, currentLevel->width, offscreen)) rock->RemoveFromRockList();
}

Ref<vellum::TList> TRock::CreateRockList() {
    RebuildSceneryList(rockList, CreateRandomRock);
    return rockList;
}

void TRock::DrawRockList() { DrawSceneryList(rockList); }

void TRock::MoveAll() { ScrollSceneryList(rockList, rockSpawnCounter, rockSpawnDistance, CreateRandomRock); }

void TRock::RemoveFromRockList() {
    if (rockList) rockList->Remove(Self(this));
}

}  // namespace tiderush
