#pragma once
// The player's progress through a game, the playing field, and the small
// helpers the screens and the HUD share.

#include "vellum.h"

namespace tiderush {

using vellum::Ref;
using vellum::String;

class TProfile : public vellum::TObject {
public:
    int level = 1;
    int lives = 3;
    int score = 0;

    static Ref<TProfile> Create();
    // Adds delta lives (never below 0) and refreshes the HUD.
    void UpdateLives(int delta);
    // Adds delta points and refreshes the HUD.
    void UpdateScore(int delta);
};

class TLevel : public vellum::TObject {
public:
    int width = 1024;
    int height = 768;

    static Ref<TLevel> Create();
    // Rocks, then pickups over them.
    void Draw();
    // Rocks move, then pickups.
    void Logic();
    // Fresh rock and pickup lists.
    void Init();
};

// The text with "0"s in front up to width characters.
String PadWithZeros(const String& text, int width);
// The outline of a w x h rectangle along its outermost pixels.
void DrawRectOutline(int x, int y, int w, int h);

}  // namespace tiderush
