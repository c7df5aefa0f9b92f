#pragma once
// TIDERUSH: the game's whole interface.

#include "game/color.h"
#include "game/game_app.h"
#include "game/globals.h"
#include "game/hud.h"
#include "game/image_bank.h"
#include "game/label.h"
#include "game/particle.h"
#include "game/placement.h"
#include "game/player.h"
#include "game/profile.h"
#include "game/rect.h"
#include "game/renderer.h"
#include "game/scenery.h"
#include "game/scenery_list.h"
#include "game/screens.h"
#include "game/sprite.h"
#include "game/system_info.h"

namespace tiderush {

// Options from the command line.
struct TGameOptions {
    bool windowed = false;  // start in a window instead of full screen
    bool seeded = false;    // replace the start-up seed with seed
    int seed = 0;
};

// Reads --windowed and --seed N; false with a message for anything else.
bool ParseGameOptions(const std::vector<vellum::String>& args, TGameOptions& options, vellum::String& error);

// Starts every engine module the game uses, once, dependencies first.
void InitEngineModules();

// Starts the engine and the game up to its title screen, as the entry does;
// returns the 60 Hz frame timer.
vellum::Ref<vellum::TTimer> StartGame(const TGameOptions& options);

// The game's entry: starts the engine, runs the frame loop until Ctrl+X and
// returns the process exit status.
int GameMain();

}  // namespace tiderush
