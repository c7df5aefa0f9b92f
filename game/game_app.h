#pragma once
// TGame: the application object. It owns the screen stack, the music, the
// data folders, pause and the debug panel, and plays the game's sounds.

#include <map>

#include "game/color.h"
#include "game/screens.h"

namespace tiderush {

class TGame : public vellum::TObject {
public:
    Ref<TColor> clsColor;  // Null leaves the clear colour alone
    Ref<TScreen> currentScreen;
    int debugPanelX = 10, debugPanelY = 10;
    int displayDebugPanel = 0;
    Ref<vellum::TSound> currentMusic;
    Ref<vellum::TChannel> musicChannel;
    float musicVolume = 0.4f;
    String name;
    int paused = 0;
    Ref<vellum::TList> screenStack;
    int testMode = 0;
    String fontPath = u"Data/Fonts/";
    String imagePath = u"Data/Images/";
    String musicPath = u"Data/Music/";
    String soundPath = u"Data/Sound/";

    static Ref<TGame> Create();
    void AddScreenToStack(const Ref<TScreen>& screen);
    // Replaces the current screen and forgets every key hit so far.
    void ChangeScreen(const Ref<TScreen>& screen);
    // Ctrl+D and P, also while paused.
    void CheckKeys();
    void Draw();
    void DrawDebugPanel();
    void LoadMusic(const String& file, int flags);
    // The sound of file; each file is loaded once and shared by every screen.
    Ref<vellum::TSound> LoadGameSound(const String& file, int flags);
    // One step: takes the step's input, then runs the current screen.
    void Logic();
    // Starts the current music from the beginning, replacing what played.
    void PlayMusic();
    // Plays sound on the channel field, stopping what that channel played.
    void PlayGameSound(const Ref<vellum::TSound>& sound, Ref<vellum::TChannel>& channel, float volume);
    void RemoveScreenFromStack(const Ref<TScreen>& screen);
    void StopMusic();
    void StopSound(Ref<vellum::TChannel>& channel);
    void ToggleDebugPanel();
    void TogglePaused();

private:
    std::map<String, Ref<vellum::TSound>> loadedSounds_;  // by file and flags
};

// Loads the game font and the seven pictures; a missing picture is fatal.
void LoadGameResources();

}  // namespace tiderush
