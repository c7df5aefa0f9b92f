#pragma once
// The scenery of a level: rocks and pickups placed at random above the
// screen as the water scrolls, and the wake the boat leaves behind.

#include "game/sprite.h"

namespace tiderush {

class TRock : public TSprite {
public:
    int power = 0;  // size class, an even number from 4 to 16

    static Ref<vellum::TList> rockList;
    static int rockSpawnCounter;
    static int rockSpawnDistance;

    static Ref<TRock> CreateRock(int x, int y);
    // One rock at a random free spot (above the screen when offscreen), or
    // none after 100 tries.
    static void CreateRandomRock(int offscreen);
    // Empties the list and places three rocks on screen.
    static Ref<vellum::TList> CreateRockList();
    static void DrawRockList();
    // Scrolls, removes rocks that left the screen and spawns new ones.
    static void MoveAll();
    void RemoveFromRockList();
};

class TPickup : public TSprite {
public:
    int score = 0;  // points it gives
    int power = 0;  // how much the boat grows

    static Ref<vellum::TList> pickupList;
    static int pickupSpawnCounter;
    static int pickupSpawnDistance;

    static Ref<TPickup> CreatePickup(int x, int y);
    static Ref<vellum::TList> CreatePickupList();
    static void CreateRandomPickup(int offscreen);
    static void DrawPickupList();
    static void MoveAll();
    void RemoveFromPickupList();
};

class TWake : public TSprite {
public:
    static Ref<vellum::TList> wakeList;
    static int wakeSpawnCounter;
    static int wakeSpawnInterval;

    static Ref<TWake> CreateWake(int x, int y, int direction);
    static Ref<vellum::TList> CreateWakeList();
    static void DrawWakeList();
    // Every second call, two segments behind the boat.
    static void Generate();
    // Drifts, fades, shrinks and removes faded segments.
    static void MoveAll();
};

// The rectangle of a scenery object: top-left truncated toward zero.
inline void SceneryRect(const TSprite& s, int& x, int& y) {
    x = static_cast<int>(s.x - static_cast<float>(s.w2));
    y = static_cast<int>(s.y - static_cast<float>(s.h2));
}

}  // namespace tiderush
