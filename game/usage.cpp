#include <string>

#include "game/game.h"
#include "runtime/version.h"

namespace tiderush {

const char* UsageText() {
    return "Usage: tiderush [OPTION]...\n"
           "Steer a boat over ever faster water, dodge rocks and collect pickups.\n"
           "\n"
           "Options:\n"
           "  --windowed          start in a 1024 x 768 window instead of full screen\n"
           "  --seed N            start from the random seed N: the same rocks and pickups\n"
           "                      on every run\n"
           "  --record FILE       play as usual and write the seed and every step's input\n"
           "                      to FILE\n"
           "  --replay FILE       play FILE back, no one at the keys; prints where the\n"
           "                      game ended\n"
           "  --fast              with --replay: as fast as the machine can draw\n"
           "  --shot STEP:FILE    with --replay: save the picture after step STEP as a PNG\n"
           "                      file (may be given more than once)\n"
           "  --shot-width W      with --shot: scale the pictures to W pixels wide\n"
           "  --help              print this help and exit\n"
           "  --version           print the version and exit\n"
           "\n"
           "Controls:\n"
           "  arrow keys, d-pad, left stick   steer the boat\n"
           "  Space, pad A or Start           start a game, continue\n"
           "  Escape, pad Back                back to the title; quits from the title\n"
           "  P                               pause\n"
           "  Ctrl+F                          switch between full screen and a window\n"
           "  Ctrl+D                          show the debug panel\n"
           "  Ctrl+X                          quit from anywhere\n"
           "  R, Q, J                         test keys in play: restart the level, lose\n"
           "                                  every life, complete the level\n"
           "\n"
           "The game reads its pictures, sounds and font from the Data folder beside\n"
           "its program and writes nothing but the files named above.\n";
}

std::string VersionLine() {
    return std::string("tiderush ") + TIDERUSH_VERSION + " (Vellum " + vellum::VellumVersion() + ")";
}

}  // namespace tiderush
