#pragma once
// The four screens: title, game, level complete and game over.

#include "vellum.h"

namespace tiderush {

using vellum::Ref;
using vellum::String;

class TScreen : public vellum::TObject {
public:
    String name;

    virtual void Draw() {}
    virtual void Init() {}
    virtual void Logic() {}
};

class TTitleScreen : public TScreen {
public:
    int rotation = 0;  // of the boat picture, in degrees
    Ref<vellum::TSound> selectSound;
    Ref<vellum::TChannel> selectChannel;

    static Ref<TTitleScreen> Create();
    void Draw() override;
    void Init() override;
    void Logic() override;
    // A new profile: level 1, 3 lives, no score.
    void StartGame();
};

class TGameScreen : public TScreen {
public:
    static Ref<TGameScreen> Create();
    void Draw() override;
    // New level objects and the game music.
    void Init() override;
    void Logic() override;
};

class TLevelCompleteScreen : public TScreen {
public:
    Ref<vellum::TSound> selectSound;
    Ref<vellum::TChannel> selectChannel;

    static Ref<TLevelCompleteScreen> Create();
    void Draw() override;
    void Init() override;
    void Logic() override;
    // On to the next level.
    void Close();
};

class TGameOverScreen : public TScreen {
public:
    Ref<vellum::TSound> selectSound;
    Ref<vellum::TChannel> selectChannel;

    static Ref<TGameOverScreen> Create();
    void Draw() override;
    void Init() override;
    void Logic() override;
    // Back to the title.
    void Close();
};

// Thrown to end the program from inside the frame loop (Escape on the title).
struct TEndProgram {
    int status = 0;
};

}  // namespace tiderush
