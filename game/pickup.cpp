#include "game/globals.h"
#include "game/placement.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/scenery.h"
#include "game/scenery_list.h"

namespace tiderush {

Ref<vellum::TList> TPickup::pickupList;
int TPickup::pickupSpawnCounter = 0;
int TPickup::pickupSpawnDistance = 300;

Ref<TPickup> TPickup::CreatePickup(int px, int py) {
    auto pickup = vellum::New<TPickup>();
    pickup->x = static_cast<float>(px);
    pickup->y = static_cast<float>(py);
    pickup->SetImage(imageBank->Find(u"pickup"));
    pickup->power = 2 * vellum::RandomInt(1, 4);
    pickup->score = 2 * pickup->power;
    MakeScenerySquare(*pickup, 4 * pickup->power);
    if (!pickupList) pickupList = vellum::New<vellum::TList>();
    pickupList->AddLast(pickup);
    return pickup;
}

Ref<vellum::TList> TPickup::CreatePickupList() {
    RebuildSceneryList(pickupList, CreateRandomPickup);
    return pickupList;
}

void TPickup::CreateRandomPickup(int offscreen) {
    auto pickup = CreatePickup(0, 0);
    if (!PlaceAtRandom(*pickup, 50, currentLevel->width - 50, offscreen)) pickup->RemoveFromPickupList();
}

void TPickup::DrawPickupList() { DrawSceneryList(pickupList); }

void TPickup::MoveAll() {
    ScrollSceneryList(pickupList, pickupSpawnCounter, pickupSpawnDistance, CreateRandomPickup);
}

void TPickup::RemoveFromPickupList() {
    if (pickupList) pickupList->Remove(Self(this));
}

}  // namespace tiderush
