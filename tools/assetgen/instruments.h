#pragma once

// The band: the patches that the songs and effects play.

#include "synth.h"

namespace assetgen::instruments {

Patch Lead();      // bright square and saw with vibrato: the tune
Patch Brass();     // saws swelling open: fanfares
Patch Flute();     // soft triangle with breath and vibrato: sad tunes
Patch Pluck();     // short filtered pulse: arpeggios
Patch Pad();       // slow detuned saws: sustained chords
Patch Strings();   // darker, slower pad for quiet songs
Patch Bass();      // saw with a sine sub and a snappy filter
Patch SoftBass();  // round, mostly sine bass
Patch Bell();      // FM bell: sparkle on top
Patch Keys();      // FM electric piano

}  // namespace assetgen::instruments
