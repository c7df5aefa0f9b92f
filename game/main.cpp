#include "game/game.h"
#include "runtime/startup.h"

int main(int argc, char** argv) {
    tiderush::RememberLaunchFolder();
    return vellum::RunProgram(argc, argv, tiderush::GameMain);
}
