#pragma once
// Particles: sprites that fade, spin and grow by fixed steps every tick and
// die when faded or shrunk away; a particle list runs and draws them all.

#include "game/sprite.h"

namespace tiderush {

class TParticle : public TSprite {
public:
    float alphaDelta = 0.0f, rotationDelta = 0.0f, scaleXDelta = 0.0f, scaleYDelta = 0.0f;

    static Ref<TParticle> CreateParticle(Ref<TGameImage> image, float x, float y, const String& text,
                                         Ref<vellum::TImageFont> font);
    void SetParams(float alphaStep, float rotationStep, float scaleXStep, float scaleYStep, float sx, float sy);
    // One tick; 1 while alive, 0 when dead.
    int Tick();
    void Logic() override { Tick(); }
};

class TParticleList : public vellum::TList {
public:
    static Ref<TParticleList> Create();
    Ref<TParticle> AddNew(Ref<TGameImage> image, int x, int y, const String& text, Ref<vellum::TImageFont> font);
    // Runs every particle and removes the dead.
    void Logic();
    void Draw();
};

}  // namespace tiderush
