#include "game_test_util.h"
#include "system_driver_seam.h"

namespace testutil {

using namespace tiderush;

namespace {

Ref<TGameImage> PictureOf(int width, int height, const char16_t* name) {
    auto image = vellum::CreateImage(width, height, 1, 0);
    return TGameImage::CreateFromImage(image, name, 1);
}

}  // namespace

void GameWorld::SetUp() {
    vellum::InitStreamModule();
    vellum::InitPolledInputModule();
    vellum::InitAudioModule();
    vellum::InitGraphicsModule();
    vellum::SetSystemDriver(nullptr);  // input comes only from the test
    vellum::StartPolledInput(nullptr);
    vellum::SeedRandom(1234);

    auto context = vellum::TVel2DGraphics::Create(vellum::New<TNoGraphics>(), driver);
    context->MakeCurrent();

    game = TGame::Create();
    game->testMode = 1;
    game->name = u"TIDERUSH";
    renderer = vellum::New<TRenderer>();
    imageBank = TImageBank::Create(u"Data/Images/");
    for (auto [name, w, h] : {std::tuple{u"BOAT", 32, 64}, {u"ROCK", 64, 64}, {u"PICKUP", 32, 32},
                              {u"WAKE", 32, 32}, {u"EXPLOSION", 64, 64}, {u"PARTICLERING", 128, 128},
                              {u"PARTICLERING2", 128, 128}})
        imageBank->Insert(name, PictureOf(w, h, name));
    profile = TProfile::Create();
}

void GameWorld::TearDown() {
    game = nullptr;
    player = nullptr;
    hud = nullptr;
    particleList = nullptr;
    currentLevel = nullptr;
    vellum::TVel2DGraphics::ClearCurrent();
}

void GameWorld::Press(int key) {
    Hold(key);
    Release(key);
}

void GameWorld::Hold(int key) { vellum::MakeEvent(vellum::EVENT_KEYDOWN, nullptr, key)->Emit(); }
void GameWorld::Release(int key) { vellum::MakeEvent(vellum::EVENT_KEYUP, nullptr, key)->Emit(); }

void GameWorld::StartLevel(int level) {
    profile->level = level;
    game->currentScreen = nullptr;
    game->AddScreenToStack(TGameScreen::Create());
}

}  // namespace testutil
