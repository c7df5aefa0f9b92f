#pragma once

// The game's seven pictures, drawn in code.

#include "canvas.h"

namespace assetgen {

Canvas BoatPicture();       // 32 x 64 speedboat seen from above, bow up
Canvas RockPicture();       // 64 x 64 shaded boulder
Canvas GemPicture();        // 32 x 32 faceted green gem
Canvas WakePicture();       // 32 x 32 soft foam puff
Canvas ExplosionPicture();  // 64 x 64 fireball
Canvas RingPicture();       // 128 x 128 thin white ring (hits)
Canvas GemRingPicture();    // 128 x 128 glowing green ring (pickups)

// The boat and the gem drawn onto a canvas in their own 32-unit-wide
// coordinates; the canvas's transform places and scales them.
void DrawBoat(Canvas& c);
void DrawGem(Canvas& c);

// The game's icon, size x size pixels: the boat on a tile of water with its
// wake and a gem, drawn in 64 units whatever the size.
Canvas IconPicture(int size);

}  // namespace assetgen
