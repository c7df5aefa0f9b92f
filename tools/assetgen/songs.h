#pragma once

#include "song.h"

namespace assetgen {

Song TitleSong();          // D major, upbeat and adventurous
Song GameSong();           // A minor, driving
Song LevelCompleteSong();  // C major fanfare that settles into a loop
Song GameOverSong();       // D minor, slow and wistful

}  // namespace assetgen
