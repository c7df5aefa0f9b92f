#include "game/game.h"

#include "vellum.h"

namespace tiderush {

namespace {

// Every engine module the game uses, each started once, dependencies first.
void InitEngineModules() {
    vellum::InitRuntimeModule();
    vellum::InitStreamModule();
    vellum::InitSystemModule();
    vellum::InitEventQueueModule();
}

}  // namespace

int GameMain() {
    InitEngineModules();
    return 0;
}

}  // namespace tiderush
