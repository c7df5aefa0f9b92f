#pragma once
// The renderer: the fixed 1024 x 768 virtual screen, the game zoom and the
// camera scroll, the full-screen toggle and text output.

#include "game/color.h"

namespace tiderush {

class TRenderer : public vellum::TObject {
public:
    int bitDepth = 0;  // 0 windowed, 32 full screen
    int fullScreen = 0;
    float scaleX = 1.0f, scaleY = 1.0f;  // game zoom
    int screenWidth = 1024, screenHeight = 768;
    float scrollX = 0.0f, scrollY = 0.0f;

    // Scrolls so that the game point (x, y) stays put under the current zoom.
    void CentreOnCoords(float x, float y);
    // Closes and re-opens the graphics context at the current mode. Raises a
    // runtime error saying why when no context can be had: the game would
    // otherwise run on with no picture at all.
    void CreateScreen();
    // Where full screen opened at the desktop's own size instead of 1024 x
    // 768, scales the picture to fit and centres it (see DrawBars).
    void FitPicture();
    // Black bars over the screen outside the centred picture, if any.
    void DrawBars();
    float barX = 0.0f, barY = 0.0f;  // the bars' widths in picture units
    float GetTextWidth(const vellum::String& text, const Ref<vellum::TImageFont>& font, float scale);
    // Text at a raw screen position; a Null font keeps the current font and scale.
    void OutputText(const vellum::String& text, float x, float y, const Ref<vellum::TImageFont>& font, float sx,
                    float sy, const Ref<TColor>& color, const Ref<TShadow>& shadow);
    void OutputTextCentered(const vellum::String& text, float y, const Ref<vellum::TImageFont>& font, float sx,
                            float sy, const Ref<TColor>& color, const Ref<TShadow>& shadow);
    int GetRandX(int margin);
    int GetRandY(int margin);
    // Game position to screen position.
    float GetX(float x) const { return scrollX + x * scaleX; }
    float GetY(float y) const { return scrollY + y * scaleY; }
    // Ctrl+F switches between full screen and a window.
    void Logic();
    void ResetScale();
    void ResetScrolling();
    // The engine's drawing scale back to 1.
    void RestoreScale();
    void SetGameScale(float sx, float sy);
    // The engine's drawing scale: an object's own scale times the game zoom.
    void TempScale(float sx, float sy);
    void ToggleFullScreen();
    void SetFullScreen(int flag);
};

}  // namespace tiderush
