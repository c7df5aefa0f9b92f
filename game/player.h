#pragma once
// The boat: steered by the arrow keys while the water scrolls past ever
// faster; it grows with every pickup, dies on rocks and wins at the goal.

#include "game/rect.h"
#include "game/sprite.h"

namespace tiderush {

class TPlayer : public TSprite {
public:
    static constexpr int DIR_UP = 0, DIR_RIGHT = 1, DIR_DOWN = 2, DIR_LEFT = 3;

    int deathAnimCounter = 0;
    int deathAnimCounterMax = 40;
    int goal = 5;
    float scrollSpeed = 0.0f;
    int scrollSpeedCurrentMax = 4;
    int scrollSpeedTotalMax = 16;
    int startingWidth = 0, startingHeight = 0;
    int successAnimCounter = 0;
    int successAnimCounterMax = 60;
    Ref<vellum::TChannel> channelAccelerate;
    Ref<vellum::TSound> soundAccelerate;
    Ref<vellum::TChannel> channelExplosion;
    Ref<vellum::TSound> soundExplosion;
    Ref<vellum::TChannel> channelPickup;
    Ref<vellum::TSound> soundPickup;
    Ref<vellum::TChannel> channelSuccess;
    Ref<vellum::TSound> soundSuccess;
    int pickups = 0;

    // The boat for the current level.
    static Ref<TPlayer> CreatePlayer();
    // Start-of-run sound and the goal message.
    void Accelerate();
    void CalcScale();
    void ChangeSize(int n);
    void CheckCollision();
    void CheckKeys() {}
    void CollideWithPickups();
    void CollideWithRocks();
    // 1 when the animation ended the game.
    int DeathAnimManage();
    int DeathAnimEnd();
    void DeathAnimStart();
    // Starts the success animation once the goal is reached; 1 if it did.
    int GoalTest();
    void SpawnInSafePlace();
    void SpeedUp();
    // 1 on the tick the animation ends.
    int SuccessAnimManage();
    void SuccessAnimEnd();
    void SuccessAnimStart();
    void Draw() override;
    void Logic() override;
    void Move() override;

    // The boat's rectangles for rocks (inset by 2 scaled pixels) and pickups.
    void RockRect(int& x, int& y, int& w, int& h) const;
    void PickupRect(int& x, int& y, int& w, int& h) const;
};

}  // namespace tiderush
