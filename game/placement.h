#pragma once
// Random placement of rocks and pickups: up to 100 tries for a spot that
// overlaps no rock and no pickup.

#include "game/sprite.h"

namespace tiderush {

// Moves sprite to a free random spot; false (sprite untouched) when all
// tries failed. cx comes from [minX, maxX]; cy from just above the screen
// when offscreen, else from the upper part of the screen.
bool PlaceAtRandom(TSprite& sprite, int minX, int maxX, int offscreen);

}  // namespace tiderush
