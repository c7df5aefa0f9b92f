#include "game/particle.h"

namespace tiderush {

Ref<TParticle> TParticle::CreateParticle(Ref<TGameImage> image, float px, float py, const String& particleText,
                                         Ref<vellum::TImageFont> font) {
    auto particle = vellum::New<TParticle>();
    particle->x = px;
    particle->y = py;
    particle->StoreOriginalCoords();
    particle->SetImage(std::move(image));
    particle->text = particleText;
    particle->textFont = std::move(font);
    return particle;
}

void TParticle::SetParams(float alphaStep, float rotationStep, float scaleXStep, float scaleYStep, float sx,
                          float sy) {
    alphaDelta = alphaStep;
    rotationDelta = rotationStep;
    scaleXDelta = scaleXStep;
    scaleYDelta = scaleYStep;
    speedX = sx;
    speedY = sy;
}

int TParticle::Tick() {
    Move();
    if (alphaDelta < 0) {
        alpha += alphaDelta;
        if (alpha <= 0) return 0;
    } else if (alphaDelta > 0) {
        alpha += alphaDelta;
    }
    if (rotationDelta < 0) {
        rotation += rotationDelta;
        if (rotation < 0) rotation += 360;
    } else if (rotationDelta > 0) {
        rotation += rotationDelta;
        if (rotation >= 360) rotation -= 360;
    }
    scaleX += scaleXDelta;
    scaleY += scaleYDelta;
    return scaleX <= 0 || scaleY <= 0 ? 0 : 1;
}

Ref<TParticleList> TParticleList::Create() { return vellum::New<TParticleList>(); }

Ref<TParticle> TParticleList::AddNew(Ref<TGameImage> image, int px, int py, const String& particleText,
                                     Ref<vellum::TImageFont> font) {
    auto particle = TParticle::CreateParticle(std::move(image), static_cast<float>(px), static_cast<float>(py),
                                              particleText, std::move(font));
    AddLast(particle);
    return particle;
}

void TParticleList::Logic() {
    for (const auto& particle : Each<TParticle>())
        if (!particle->Tick()) Remove(particle);
}

void TParticleList::Draw() {
    for (const auto& particle : Each<TParticle>()) particle->Draw();
}

}  // namespace tiderush
