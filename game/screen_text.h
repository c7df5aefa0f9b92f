#pragma once
// What the menu screens share: their two text styles, centred on the
// virtual screen, and starting their music.

#include "game/color.h"

namespace tiderush {

// A large heading at row y.
void DrawHeadingText(const vellum::String& text, float y, int r, int g, int b);
// A line of smaller text at row y.
void DrawLineText(const vellum::String& text, float y, int r, int g, int b);
// Loads and starts a screen's looping music; returns the selection sound.
Ref<vellum::TSound> StartScreenMusic(const vellum::String& musicFile);

}  // namespace tiderush
