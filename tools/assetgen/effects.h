#pragma once

// The game's sound effects, synthesised as mono samples at kSampleRate.
// Each starts and ends at silence, so none clicks when played or cut.

#include <vector>

namespace assetgen {

std::vector<float> SelectEffect();      // a short two-tone menu blip
std::vector<float> ExplosionEffect();   // a noisy blast over a falling rumble
std::vector<float> PickupEffect();      // a bright rising chime
std::vector<float> AccelerateEffect();  // an engine revving up with a whoosh
std::vector<float> SuccessEffect();     // a little triumphant arpeggio

}  // namespace assetgen
