#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "game/game.h"
#include "game/game_input.h"
#include "game/replay_file.h"

namespace tiderush {

namespace {

std::string& LaunchFolder() {
    static auto* folder = new std::string;  // lives for the whole run
    return *folder;
}

// A file named on the command line, from the folder the program started in.
std::string FromLaunchFolder(const vellum::String& name) {
    std::string path = vellum::ToUtf8(name);
    if (path.empty() || path[0] == '/' || LaunchFolder().empty()) return path;
    return LaunchFolder() + "/" + path;
}

bool IsWholeNumber(const vellum::String& number) {
    bool digits = !number.empty() && number != u"-";
    for (size_t k = !number.empty() && number[0] == u'-' ? 1 : 0; k < number.size(); ++k)
        digits = digits && number[k] >= u'0' && number[k] <= u'9';
    return digits;
}

// Ctrl+X: X had a hit and a Control key is down (X is read first, so a plain
// X is used up).
bool QuitRequested() {
    using namespace vellum;
    if (!InputHits(KEY_X)) return false;
    return InputDown(KEY_LCONTROL) || InputDown(KEY_RCONTROL);
}

// The pictures asked for at this step; lost counts those that could not be written.
void SaveShots(const TGameOptions& options, int& lost) {
    for (const auto& shot : options.shots) {
        if (shot.step != InputSteps()) continue;
        auto pixmap = vellum::GrabPixmap(0, 0, vellum::GraphicsWidth(), vellum::GraphicsHeight());
        if (pixmap && options.shotWidth > 0 && options.shotWidth != pixmap->width)
            pixmap = vellum::ResizePixmap(pixmap, options.shotWidth,
                                          std::max(1, pixmap->height * options.shotWidth / pixmap->width));
        if (!vellum::SavePixmapPNG(pixmap, vellum::FromUtf8(shot.path))) {
            std::fprintf(stderr, "tiderush: cannot write the picture of step %d to %s\n", shot.step, shot.path.c_str());
            ++lost;
        }
    }
}

void RunFrameLoop(const Ref<vellum::TTimer>& frameTimer, const TGameOptions& options, int& lostShots) {
    // The window's close button ends the game too, as on any desktop.
    while (!InputFinished() && !vellum::AppTerminateRequested()) {
        game->Logic();
        if (QuitRequested()) break;
        game->Draw();
        SaveShots(options, lostShots);
        if (!options.fast) vellum::WaitTimer(frameTimer);
        vellum::Flip(options.fast ? 0 : 1);
        if (!options.fast) vellum::Delay(1);
    }
}

// The end of a replay: where the game got to, on standard output.
void ReportReplay() {
    vellum::String screen = game && game->currentScreen ? game->currentScreen->name : vellum::String();
    std::printf("replay: %d steps, final screen \"%s\", level %d, score %d\n", InputSteps(),
                vellum::ToUtf8(screen).c_str(), profile ? profile->level : 0, profile ? profile->score : 0);
    std::fflush(stdout);
}

}  // namespace

void RememberLaunchFolder() {
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder)) LaunchFolder() = folder;
}

bool ParseGameOptions(const std::vector<vellum::String>& args, TGameOptions& options, vellum::String& error) {
    auto fileAfter = [&](size_t& i, std::string& file) {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = args[i] + u" needs a file name";
            return false;
        }
        file = FromLaunchFolder(args[++i]);
        return true;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == u"--windowed") {
            options.windowed = true;
        } else if (args[i] == u"--help") {
            options.help = true;
            return true;
        } else if (args[i] == u"--version") {
            options.version = true;
            return true;
        } else if (args[i] == u"--seed") {
            const vellum::String number = i + 1 < args.size() ? args[++i] : vellum::String();
            if (!IsWholeNumber(number)) {
                error = u"--seed needs a whole number, not \"" + number + u"\"";
                return false;
            }
            options.seeded = true;
            options.seed = vellum::ParseInt(number);
        } else if (args[i] == u"--record") {
            if (!fileAfter(i, options.record)) return false;
        } else if (args[i] == u"--replay") {
            if (!fileAfter(i, options.replay)) return false;
        } else if (args[i] == u"--fast") {
            options.fast = true;
        } else if (args[i] == u"--shot") {
            const vellum::String request = i + 1 < args.size() ? args[++i] : vellum::String();
            size_t colon = request.find(u':');
            if (colon == vellum::String::npos || !IsWholeNumber(request.substr(0, colon)) || colon + 1 == request.size()) {
                error = u"--shot needs STEP:FILE, not \"" + request + u"\"";
                return false;
            }
            options.shots.push_back({vellum::ParseInt(request.substr(0, colon)), FromLaunchFolder(request.substr(colon + 1))});
        } else if (args[i] == u"--shot-width") {
            const vellum::String width = i + 1 < args.size() ? args[++i] : vellum::String();
            if (!IsWholeNumber(width) || vellum::ParseInt(width) <= 0) {
                error = u"--shot-width needs a width in pixels, not \"" + width + u"\"";
                return false;
            }
            options.shotWidth = vellum::ParseInt(width);
        } else {
            error = u"unknown option \"" + args[i] + u"\"";
            return false;
        }
    }
    if (!options.replay.empty() && !options.record.empty()) {
        error = u"--record and --replay cannot be used together";
        return false;
    }
    if (options.replay.empty() && (options.fast || !options.shots.empty())) {
        error = options.fast ? u"--fast needs --replay FILE" : u"--shot needs --replay FILE";
        return false;
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
    // Without its timer the loop would not wait between frames.
    if (!frameTimer) throw vellum::TRuntimeException(u"tiderush: cannot start the 60 Hz frame timer");
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
        std::fprintf(stderr, "tiderush: %s\n\n%s", vellum::ToUtf8(error).c_str(), UsageText());
        return 2;
    }
    if (options.help || options.version) {
        std::fputs(options.help ? UsageText() : (VersionLine() + "\n").c_str(), stdout);
        return 0;
    }
    // A replay brings its own seed; a recording keeps the one it starts with.
    TReplayReader replay;
    std::string fileError;
    if (!options.replay.empty()) {
        if (!replay.Load(options.replay, fileError)) {
            std::fprintf(stderr, "tiderush: %s\n", fileError.c_str());
            return 2;
        }
        options.seeded = true;
        options.seed = replay.Seed();
    } else if (!options.record.empty() && !options.seeded) {
        options.seeded = true;
        options.seed = static_cast<int>(vellum::MilliSecs());
    }
    // A file that cannot be written at all is told before any window opens.
    if (!options.record.empty() && !StartRecordingInput(options.record, options.seed, fileError)) {
        std::fprintf(stderr, "tiderush: %s\n", fileError.c_str());
        return 2;
    }
    auto frameTimer = StartGame(options);
    if (!options.replay.empty()) StartReplayInput(replay);
    int status = 0, lostShots = 0;
    try {
        RunFrameLoop(frameTimer, options, lostShots);
    } catch (const TEndProgram& end) {
        status = end.status;
    }
    // A write that failed during the run was told when it happened; the
    // game played on, and the status says that something was lost.
    bool recorded = FinishInput();
    if (!options.replay.empty()) {
        if (replay.EndsEarly() && InputFinished())
            std::fprintf(stderr, "tiderush: the recording ends early at step %d\n", std::max(replay.LastStep(), 0));
        ReportReplay();
    }
    if (status == 0 && (!recorded || lostShots > 0)) status = 1;
    return status;
}

}  // namespace tiderush
