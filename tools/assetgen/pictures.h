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

}  // namespace assetgen
