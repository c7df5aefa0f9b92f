#include "game/renderer.h"

#include <algorithm>

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
    if (!vellum::OpenGraphics(screenWidth, screenHeight, bitDepth, 60, vellum::GF_DESKTOPFALLBACK))
        throw vellum::TRuntimeException(u"tiderush: cannot open the game's screen: " + vellum::GraphicsFailure());
    FitPicture();
}

void TRenderer::FitPicture() {
    barX = barY = 0.0f;
    int width = vellum::GraphicsWidth(), height = vellum::GraphicsHeight();
    if (width <= 0 || height <= 0 || (width == screenWidth && height == screenHeight)) return;
    // The virtual screen keeps the display's shape at the picture's scale;
    // the origin puts the picture in its middle.
    float scale = std::min(static_cast<float>(width) / static_cast<float>(screenWidth),
                           static_cast<float>(height) / static_cast<float>(screenHeight));
    float virtualWidth = static_cast<float>(width) / scale, virtualHeight = static_cast<float>(height) / scale;
    vellum::SetVirtualResolution(virtualWidth, virtualHeight);
    barX = (virtualWidth - static_cast<float>(screenWidth)) / 2.0f;
    barY = (virtualHeight - static_cast<float>(screenHeight)) / 2.0f;
    vellum::SetOrigin(barX, barY);
}

void TRenderer::DrawBars() {
    if (barX < 0.5f && barY < 0.5f) return;
    int r, g, b;
    vellum::GetColor(r, g, b);
    float alpha = vellum::GetAlpha(), rotation = vellum::GetRotation(), sx, sy;
    vellum::GetScale(sx, sy);
    int blend = vellum::GetBlend();
    vellum::SetColor(0, 0, 0);
    vellum::SetAlpha(1.0f);
    vellum::SetBlend(vellum::BLEND_SOLID);
    vellum::SetRotationScale(0.0f, 1.0f, 1.0f);
    float w = static_cast<float>(screenWidth), h = static_cast<float>(screenHeight);
    vellum::DrawRect(-barX, -barY, barX, h + 2 * barY);
    vellum::DrawRect(w, -barY, barX, h + 2 * barY);
    vellum::DrawRect(-barX, -barY, w + 2 * barX, barY);
    vellum::DrawRect(-barX, h, w + 2 * barX, barY);
    vellum::SetColor(r, g, b);
    vellum::SetAlpha(alpha);
    vellum::SetBlend(blend);
    vellum::SetRotationScale(rotation, sx, sy);
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
