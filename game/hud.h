#pragma once
// The heads-up display: lives, pickups and score in a band at the top, the
// speed bar in a band at the bottom. Refreshed only when a value changes.

#include "game/label.h"

namespace tiderush {

class THUD : public vellum::TObject {
public:
    Ref<TStatLabel> livesLabel;
    Ref<TStatLabel> pickupLabel;
    Ref<TStatLabel> scoreLabel;
    Ref<TStatLabel> testLabel;  // never made

    static Ref<THUD> Create();
    void Init();
    void Draw();
    void DrawSpeedBar();
    void UpdateLives();
    void UpdatePickup();
    void UpdateScore();
    void UpdateAll();
};

// The filled width of the speed bar for a speed against its full scale,
// truncated and not clamped.
int SpeedBarFill(float scrollSpeed, int scrollSpeedTotalMax);

}  // namespace tiderush
