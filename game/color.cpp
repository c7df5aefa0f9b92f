#include "game/color.h"

namespace tiderush {

Ref<TColor> TColor::Create(int r, int g, int b, float a) {
    auto color = vellum::New<TColor>();
    color->Set(r, g, b, a);
    return color;
}

void TColor::Set(int r, int g, int b, float a) { R = r, G = g, B = b, alpha = a; }
void TColor::Get(int& r, int& g, int& b) const { r = R, g = G, b = B; }
void TColor::GetFull(int& r, int& g, int& b, float& a) const { r = R, g = G, b = B, a = alpha; }
void TColor::Copy(const TColor& other) { Set(other.R, other.G, other.B, other.alpha); }

void TColor::Apply() const {
    vellum::SetColor(R, G, B);
    vellum::SetAlpha(alpha);
}

void TColor::ApplyNoAlpha() const { vellum::SetColor(R, G, B); }

void TColor::Restore() const {
    vellum::SetColor(255, 255, 255);
    vellum::SetAlpha(1.0f);
}

Ref<TShadow> TShadow::Create(float x, float y, float a) {
    auto shadow = vellum::New<TShadow>();
    shadow->Init(x, y, a);
    return shadow;
}

void TShadow::Init(float x, float y, float a) { X = x, Y = y, alpha = a; }
void TShadow::Copy(const TShadow& other) { Init(other.X, other.Y, other.alpha); }

void TShadow::Apply() const {
    vellum::SetColor(0, 0, 0);
    vellum::SetAlpha(alpha);
}

void TShadow::Restore() const {
    vellum::SetColor(255, 255, 255);
    vellum::SetAlpha(1.0f);
}

}  // namespace tiderush
