#include "game/placement.h"

#include "game/globals.h"
#include "game/profile.h"
#include "game/rect.h"
#include "game/scenery.h"

namespace tiderush {

namespace {

bool OverlapsAny(const Ref<vellum::TList>& list, int x, int y, int w, int h) {
    if (!list) return false;
    for (const auto& other : list->Each<TSprite>()) {
        int ox, oy;
        SceneryRect(*other, ox, oy);
        if (RectsOverlap(x, y, w, h, ox, oy, other->width, other->height)) return true;
    }
    return false;
}

}  // namespace

bool PlaceAtRandom(TSprite& sprite, int minX, int maxX, int offscreen) {
    for (int tries = 100; tries > 0; --tries) {
        int cx = vellum::RandomInt(minX, maxX);
        int cy = offscreen ? vellum::RandomInt(-200, -100) : vellum::RandomInt(-50, currentLevel->height / 2 - 200);
        int x = cx - sprite.w2, y = cy - sprite.h2;
        // Rocks first, then pickups; the new object is already in its list.
        if (OverlapsAny(TRock::rockList, x, y, sprite.width, sprite.height)) continue;
        if (OverlapsAny(TPickup::pickupList, x, y, sprite.width, sprite.height)) continue;
        sprite.x = static_cast<float>(cx);
        sprite.y = static_cast<float>(cy);
        return true;
    }
    return false;
}

}  // namespace tiderush
