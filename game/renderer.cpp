#include "game/renderer.h"

#include "game/game_input.h"

namespace tiderush {

void TRenderer::CentreOnCoords(float x, float y) {
    scrollX = static_cast<float>(0 - (screenWidth * static_cast<double>(scaleX) - screenWidth) *
                                         (static_cast<double>(x) / screenWidth));
    scrollY = static_cast<float>(0 - (screenHeight * static_cast<double>(scaleY) - screenHeight) *
                                         (static_cast<double>(y) / screenHeight));
}

void TRenderer::CreateScreen() {
    vellum::CloseGraphics();
    vellum::OpenGraphics(screenWidth, screenHeight, bitDepth, 60, 0);
}

float TRenderer::GetTextWidth(const vellum::String& text, const Ref<vellum::TImageFont>& font, float scale) {
    if (font) vellum::SetImageFont(font);
    float width = vellum::TextWidth(text) * scaleX * scale;
    if (font) vellum::SetImageFont(nullptr);
    return width;
}

void TRenderer::OutputText(const vellum::String& text, float x, float y, const Ref<vellum::TImageFont>& font,
                           float sx, float sy, const Ref<TColor>& color, const Ref<TShadow>& shadow) {
    if (font) {
        vellum::SetImageFont(font);
        TempScale(sx, sy);
    }
    if (shadow) {
        shadow->Apply();
        vellum::DrawText(text, x + shadow->X, y + shadow->Y);
        shadow->Restore();
    }
    if (color) color->Apply();
    vellum::DrawText(text, x, y);
    if (color) color->Restore();
    if (font) {
        vellum::SetImageFont(nullptr);
        RestoreScale();
    }
}

void TRenderer::OutputTextCentered(const vellum::String& text, float y, const Ref<vellum::TImageFont>& font, float sx,
                                   float sy, const Ref<TColor>& color, const Ref<TShadow>& shadow) {
    float x = (static_cast<float>(screenWidth) - GetTextWidth(text, font, sx)) / 2.0f;
    OutputText(text, x, y, font, sx, sy, color, shadow);
}

int TRenderer::GetRandX(int margin) { return vellum::RandomInt(0, screenWidth - margin); }
int TRenderer::GetRandY(int margin) { return vellum::RandomInt(0, screenHeight - margin); }

void TRenderer::Logic() {
    // Queried every frame, so an F pressed without Control is used up.
    if (InputHits(vellum::KEY_F) &&
        (InputDown(vellum::KEY_LCONTROL) || InputDown(vellum::KEY_RCONTROL)))
        ToggleFullScreen();
}

void TRenderer::ResetScale() { scaleX = scaleY = 1.0f; }
void TRenderer::ResetScrolling() { scrollX = scrollY = 0.0f; }
void TRenderer::RestoreScale() { vellum::SetScale(1.0f, 1.0f); }
void TRenderer::SetGameScale(float sx, float sy) { scaleX = sx, scaleY = sy; }
void TRenderer::TempScale(float sx, float sy) { vellum::SetScale(sx * scaleX, sy * scaleY); }

void TRenderer::ToggleFullScreen() { SetFullScreen(fullScreen ? 0 : 1); }

void TRenderer::SetFullScreen(int flag) {
    fullScreen = flag;
    bitDepth = flag ? 32 : 0;
    CreateScreen();
}

}  // namespace tiderush
