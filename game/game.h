#pragma once
// TIDERUSH: the game's whole interface.

#include "game/color.h"
#include "game/game_app.h"
#include "game/game_input.h"
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

#include <string>
#include <vector>

namespace tiderush {

// A picture of the screen to save after a given step of a replay.
struct TShotRequest {
    int step = 0;
    std::string path;
};

// Options from the command line.
struct TGameOptions {
    bool windowed = false;  // start in a window instead of full screen
    bool seeded = false;    // replace the start-up seed with seed
    int seed = 0;
    std::string record;     // write every step's input here
    std::string replay;     // play this file's input back instead of the keyboard's
    bool fast = false;      // replay without waiting for the frame timer
    std::vector<TShotRequest> shots;  // --shot STEP:FILE, replays only
    int shotWidth = 0;      // --shot-width W: pictures scaled to W pixels wide
    bool help = false;      // --help: print the usage, start nothing
    bool version = false;   // --version: print the version, start nothing
};

// Reads --windowed, --seed N, --record FILE, --replay FILE, --fast,
// --shot STEP:FILE, --shot-width W, --help and --version; false with a message for
// anything else. --help and --version end the reading. Relative file names are
// taken from the folder the program was started in.
bool ParseGameOptions(const std::vector<vellum::String>& args, TGameOptions& options, vellum::String& error);

// The --help text: every option and the controls.
const char* UsageText();
// "tiderush 0.2 (Vellum 0.2)": the game's version and the engine's it runs with.
std::string VersionLine();

// Starts every engine module the game uses, once, dependencies first.
void InitEngineModules();

// Starts the engine and the game up to its title screen, as the entry does;
// returns the 60 Hz frame timer.
vellum::Ref<vellum::TTimer> StartGame(const TGameOptions& options);

// The game's entry: starts the engine, runs the frame loop until Ctrl+X (or
// the end of a replay) and returns the process exit status.
int GameMain();

// Remembers the working folder before start-up makes the program's own
// folder the working one; main calls it first.
void RememberLaunchFolder();

}  // namespace tiderush
