#include <cstdio>

#include "game/game.h"

namespace tiderush {

namespace {

// Ctrl+X: X had a hit and a Control key is down (X is read first, so a plain
// X is used up).
bool QuitRequested() {
    using namespace vellum;
    if (!KeyHits(KEY_X)) return false;
    return KeyDown(KEY_LCONTROL) || KeyDown(KEY_RCONTROL);
}

void RunFrameLoop(const Ref<vellum::TTimer>& frameTimer) {
    // The window's close button ends the game too, as on any desktop.
    while (!QuitRequested() && !vellum::AppTerminateRequested()) {
        game->Logic();
        game->Draw();
        vellum::WaitTimer(frameTimer);
        vellum::Flip(1);
        vellum::Delay(1);
    }
}

}  // namespace

bool ParseGameOptions(const std::vector<vellum::String>& args, TGameOptions& options, vellum::String& error) {
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == u"--windowed") {
            options.windowed = true;
        } else if (args[i] == u"--seed" && i + 1 < args.size()) {
            const vellum::String& number = args[++i];
            bool digits = !number.empty();
            for (size_t k = number[0] == u'-' ? 1 : 0; k < number.size(); ++k)
                digits = digits && number[k] >= u'0' && number[k] <= u'9';
            if (!digits || number == u"-") {
                error = u"--seed needs a whole number, not \"" + number + u"\"";
                return false;
            }
            options.seeded = true;
            options.seed = vellum::ParseInt(number);
        } else {
            error = u"unknown option \"" + args[i] + u"\" (options: --windowed, --seed N)";
            return false;
        }
    }
    return true;
}

void InitEngineModules() {
    vellum::InitRuntimeModule();
    vellum::InitStreamModule();
    vellum::InitSystemModule();
    vellum::InitEventQueueModule();
    vellum::InitPolledInputModule();
    vellum::InitPixmapModule();
    vellum::InitFontModule();
    vellum::InitAudioModule();
    // The OpenGL window driver, then the 2D driver over it, which stays current.
    vellum::InitGLDrawingModule();
}

Ref<vellum::TTimer> StartGame(const TGameOptions& options) {
    InitEngineModules();
    auto frameTimer = vellum::CreateTimer(60.0f, nullptr);
    game = TGame::Create();
    renderer = vellum::New<TRenderer>();
    imageBank = TImageBank::Create(game->imagePath);
    vellum::SeedRandom(options.seeded ? options.seed : vellum::MilliSecs());
    game->testMode = 1;
    game->debugPanelY = 100;
    game->name = u"TIDERUSH";
    game->clsColor = TColor::Create(50, 50, 150, 1.0f);
    renderer->SetFullScreen(options.windowed ? 0 : 1);
    renderer->CreateScreen();
    LoadGameResources();
    game->AddScreenToStack(TTitleScreen::Create());
    return frameTimer;
}

int GameMain() {
    TGameOptions options;
    vellum::String error;
    if (!ParseGameOptions(vellum::AppArgs(), options, error)) {
        std::fprintf(stderr, "tiderush: %s\n", vellum::ToUtf8(error).c_str());
        return 2;
    }
    auto frameTimer = StartGame(options);
    try {
        RunFrameLoop(frameTimer);
    } catch (const TEndProgram& end) {
        return end.status;
    }
    return 0;
}

}  // namespace tiderush
