#include "game/globals.h"
#include "game/placement.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/scenery.h"

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
    pickup->SetSize(4 * pickup->power, 4 * pickup->power);
    pickup->scaleX = static_cast<float>(pickup->width) / static_cast<float>(pickup->gameImage->w);
    pickup->scaleY = pickup->scaleX;
    if (!pickupList) pickupList = vellum::New<vellum::TList>();
    pickupList->AddLast(pickup);
    return pickup;
}

Ref<vellum::TList> TPickup::CreatePickupList() {
    if (!pickupList)
        pickupList = vellum::New<vellum::TList>();
    else
        pickupList->Clear();
    for (int i = 0; i < 3; ++i) CreateRandomPickup(0);
    return pickupList;
}

void TPickup::CreateRandomPickup(int offscreen) {
    auto pickup = CreatePickup(0, 0);
    if (!PlaceAtRandom(*pickup, 50, currentLevel->width - 50, offscreen)) pickup->RemoveFromPickupList();
}

void TPickup::DrawPickupList() {
    if (!pickupList) return;
    for (const auto& pickup : pickupList->Each<TPickup>()) pickup->Draw();
}

void TPickup::MoveAll() {
    if (!pickupList) return;
    for (const auto& pickup : pickupList->Each<TPickup>()) {
        pickup->y += player->scrollSpeed;
        if (!(pickup->y - static_cast<float>(pickup->h2) < renderer->screenHeight)) pickup->RemoveFromPickupList();
    }
    pickupSpawnCounter = static_cast<int>(static_cast<float>(pickupSpawnCounter) - player->scrollSpeed);
    if (pickupSpawnCounter <= 0) {
        pickupSpawnCounter += pickupSpawnDistance;
        CreateRandomPickup(1);
    }
}

void TPickup::RemoveFromPickupList() {
    if (pickupList) pickupList->Remove(Self(this));
}

}  // namespace tiderush
