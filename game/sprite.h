#pragma once
// TSprite: the base of every game object. A centre position, speed, scale,
// rotation and alpha, an image or a text, an optional colour and shadow, and
// drawing through the renderer's camera.

#include "game/color.h"
#include "game/image_bank.h"

namespace tiderush {

class TSprite : public vellum::TObject {
public:
    float alpha = 1.0f;
    int direction = 0;
    Ref<TColor> color;
    Ref<TGameImage> gameImage;
    float originalX = 0.0f, originalY = 0.0f;  // anchor; text is centred on it
    float rotation = 0.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    Ref<TShadow> shadow;
    float speedX = 0.0f, speedY = 0.0f;
    int width = 0, height = 0;  // collision and clamping size
    String text;
    Ref<vellum::TImageFont> textFont;
    int useRendererCamera = 1;
    int w2 = 0, h2 = 0;
    float x = 0.0f, y = 0.0f;  // centre

    static Ref<TSprite> Create(Ref<TGameImage> image, float x, float y, const String& text,
                               Ref<vellum::TImageFont> font);
    // Keeps the centre on the virtual screen.
    void BoundsCheck();
    void StoreOriginalCoords();
    // Size from the image.
    void CalcSize();
    // Centres the text on the anchor, at the sprite's own scale.
    void CentreText();
    virtual void Draw();
    void DrawCore(int shadowPass);
    virtual void Logic() {}
    virtual void Move();
    void SetImage(Ref<TGameImage> image);
    void SetScaleParams(float sx, float sy);
    void SetSize(int w, int h);
};

}  // namespace tiderush
