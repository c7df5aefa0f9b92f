#include "game/sprite.h"

#include "game/globals.h"

namespace tiderush {

Ref<TSprite> TSprite::Create(Ref<TGameImage> image, float px, float py, const String& spriteText,
                             Ref<vellum::TImageFont> font) {
    auto sprite = vellum::New<TSprite>();
    sprite->SetImage(std::move(image));
    sprite->x = px;
    sprite->y = py;
    sprite->StoreOriginalCoords();
    sprite->text = spriteText;
    sprite->textFont = std::move(font);
    return sprite;
}

void TSprite::BoundsCheck() {
    if (!(x >= w2))
        x = static_cast<float>(w2);
    else if (x > renderer->screenWidth - w2)
        x = static_cast<float>(renderer->screenWidth - w2);
    if (!(y >= h2))
        y = static_cast<float>(h2);
    else if (y > renderer->screenHeight - h2)
        y = static_cast<float>(renderer->screenHeight - h2);
}

void TSprite::StoreOriginalCoords() {
    originalX = x;
    originalY = y;
}

void TSprite::CalcSize() {
    if (!gameImage) return;
    width = gameImage->w;
    height = gameImage->h;
    w2 = static_cast<int>(gameImage->w2);
    h2 = static_cast<int>(gameImage->h2);
}

void TSprite::CentreText() {
    float tw = vellum::TextWidth(text) * scaleX;
    float th = vellum::TextHeight(text) * scaleY;
    x = originalX - tw / 2;
    y = originalY - th / 2;
}

void TSprite::Draw() {
    if (rotation != 0) vellum::SetRotation(rotation);
    if (alpha != 1.0f) vellum::SetAlpha(alpha);
    if (shadow) {
        shadow->Apply();
        if (alpha != 1.0f) vellum::SetAlpha(shadow->alpha * alpha);
        DrawCore(1);
        shadow->Restore();
    }
    DrawCore(0);
    if (rotation != 0) vellum::SetRotation(0);
    if (alpha != 1.0f) vellum::SetAlpha(1.0f);
}

void TSprite::DrawCore(int shadowPass) {
    float offsetX = shadowPass ? shadow->X : 0.0f;
    float offsetY = shadowPass ? shadow->Y : 0.0f;
    if (useRendererCamera)
        renderer->TempScale(scaleX, scaleY);
    else
        vellum::SetScale(scaleX, scaleY);
    // The position is taken at the moment of drawing: CentreText moves it.
    auto position = [&](float& px, float& py) {
        px = x + offsetX;
        py = y + offsetY;
        if (useRendererCamera) px = renderer->GetX(px), py = renderer->GetY(py);
    };
    float px, py;
    if (!text.empty()) {
        if (textFont) vellum::SetImageFont(textFont);
        if (!shadowPass && color) {
            color->Apply();
            if (alpha != 1.0f) vellum::SetAlpha(alpha);
        }
        CentreText();
        position(px, py);
        vellum::DrawText(text, px, py);
        if (textFont) vellum::SetImageFont(nullptr);
        if (!shadowPass && color) color->Restore();
    } else if (gameImage) {
        position(px, py);
        vellum::DrawImage(gameImage->image, px, py, 0);
    }
    renderer->RestoreScale();
}

void TSprite::Move() {
    x += speedX;
    y += speedY;
    originalX += speedX;
    originalY += speedY;
}

void TSprite::SetImage(Ref<TGameImage> image) {
    gameImage = std::move(image);
    CalcSize();
}

void TSprite::SetScaleParams(float sx, float sy) { scaleX = sx, scaleY = sy; }

void TSprite::SetSize(int w, int h) {
    width = w;
    height = h;
    w2 = w / 2;
    h2 = h / 2;
}

}  // namespace tiderush
