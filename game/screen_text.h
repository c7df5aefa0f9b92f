#pragma once
// The two text styles of the screens, centred on the virtual screen.

#include "game/color.h"

namespace tiderush {

// A large heading at row y.
void DrawHeadingText(const vellum::String& text, float y, int r, int g, int b);
// A line of smaller text at row y.
void DrawLineText(const vellum::String& text, float y, int r, int g, int b);

}  // namespace tiderush
