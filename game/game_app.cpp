#include "game/game_app.h"

#include "game/game_input.h"
#include "game/globals.h"
#include "game/image_bank.h"

namespace tiderush {

Ref<TGame> TGame::Create() {
    auto app = vellum::New<TGame>();
    app->screenStack = vellum::New<vellum::TList>();
    return app;
}

void TGame::AddScreenToStack(const Ref<TScreen>& screen) {
    screenStack->AddLast(screen);
    currentScreen = screen;
}

void TGame::RemoveScreenFromStack(const Ref<TScreen>& screen) { screenStack->Remove(screen); }

void TGame::ChangeScreen(const Ref<TScreen>& screen) {
    RemoveScreenFromStack(currentScreen);
    AddScreenToStack(screen);
    FlushInput();
}

void TGame::CheckKeys() {
    using namespace vellum;
    if (InputHits(KEY_D) && (InputDown(KEY_LCONTROL) || InputDown(KEY_RCONTROL))) ToggleDebugPanel();
    if (InputHits(KEY_P)) TogglePaused();
}

void TGame::Logic() {
    BeginInputStep();
    CheckKeys();
    if (paused) return;
    renderer->Logic();
    // Keep the screen alive through its own step, which may replace it.
    Ref<TScreen> screen = currentScreen;
    if (screen) screen->Logic();
}

void TGame::Draw() {
    if (clsColor) vellum::SetClsColor(clsColor->R, clsColor->G, clsColor->B);
    vellum::Cls();
    vellum::SetBlend(vellum::BLEND_ALPHA);
    for (const auto& screen : screenStack->Each<TScreen>()) screen->Draw();
    DrawDebugPanel();
    renderer->DrawBars();
}

void TGame::DrawDebugPanel() {
    if (!displayDebugPanel) return;
    vellum::DrawText(u"Mouse: " + vellum::ToString(vellum::MouseX()) + u"," + vellum::ToString(vellum::MouseY()),
                     static_cast<float>(debugPanelX), static_cast<float>(debugPanelY));
    vellum::DrawText(u"Screen: " + (currentScreen ? currentScreen->name : String()), static_cast<float>(debugPanelX),
                     static_cast<float>(debugPanelY + 15));
}

void TGame::LoadMusic(const String& file, int flags) { currentMusic = vellum::LoadSound(musicPath + file, flags); }

Ref<vellum::TSound> TGame::LoadGameSound(const String& file, int flags) {
    // Screens ask for the same effects every time they open; loading them
    // again would decode on the very frame that changes the screen.
    auto& sound = loadedSounds_[soundPath + file + u"|" + vellum::ToString(flags)];
    if (!sound) sound = vellum::LoadSound(soundPath + file, flags);
    return sound;
}

void TGame::PlayMusic() {
    StopMusic();
    // A missing music file leaves a Null sound: nothing plays and the game goes on.
    musicChannel = vellum::CueSound(currentMusic, nullptr);
    vellum::SetChannelVolume(musicChannel, musicVolume);
    vellum::ResumeChannel(musicChannel);
}

void TGame::StopMusic() {
    if (musicChannel && vellum::ChannelPlaying(musicChannel)) {
        vellum::StopChannel(musicChannel);
        musicChannel = nullptr;
    }
}

void TGame::PlayGameSound(const Ref<vellum::TSound>& sound, Ref<vellum::TChannel>& channel, float volume) {
    StopSound(channel);
    channel = vellum::CueSound(sound, nullptr);
    vellum::SetChannelVolume(channel, volume);
    vellum::ResumeChannel(channel);
}

void TGame::StopSound(Ref<vellum::TChannel>& channel) {
    if (channel && vellum::ChannelPlaying(channel)) {
        vellum::StopChannel(channel);
        channel = nullptr;
    }
}

void TGame::ToggleDebugPanel() { displayDebugPanel = displayDebugPanel ? 0 : 1; }
void TGame::TogglePaused() { paused = paused ? 0 : 1; }

void LoadGameResources() {
    gameFont = vellum::LoadImageFont(game->fontPath + u"beware.ttf", 64, vellum::FONT_SMOOTH);
    for (const char16_t* file : {u"boat", u"rock", u"pickup", u"wake", u"explosion", u"particlering", u"particlering2"})
        imageBank->Load(file, u"", -1, 1);
}

}  // namespace tiderush
