#pragma once
// What rocks and pickups do alike: their lists are rebuilt, drawn and
// scrolled the same way, and each is a square drawn at its own size.

#include "game/sprite.h"

namespace tiderush {

using CreateRandomFunction = void (*)(int offscreen);

// Empties the list (making it if needed) and places three objects on screen.
void RebuildSceneryList(Ref<vellum::TList>& list, CreateRandomFunction createRandom);
void DrawSceneryList(const Ref<vellum::TList>& list);
// Moves every object down with the water and drops those entirely below
// the screen; once the scrolled distance uses up the counter, it starts
// again and one new object is tried above the screen.
void ScrollSceneryList(const Ref<vellum::TList>& list, int& spawnCounter, int spawnDistance,
                       CreateRandomFunction createRandom);
// A square of the given side whose picture is scaled to fill it.
void MakeScenerySquare(TSprite& sprite, int side);

}  // namespace tiderush
