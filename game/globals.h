#pragma once
// The game's module globals: one object each, created by the entry and the
// screens.

#include "vellum.h"

namespace tiderush {

class TGame;
class TRenderer;
class TImageBank;
class TProfile;
class TLevel;
class TPlayer;
class THUD;
class TParticleList;

extern vellum::Ref<TGame> game;
extern vellum::Ref<TRenderer> renderer;
extern vellum::Ref<TImageBank> imageBank;
extern vellum::Ref<vellum::TImageFont> gameFont;
extern vellum::Ref<TProfile> profile;
extern vellum::Ref<TLevel> currentLevel;
extern vellum::Ref<TPlayer> player;
extern vellum::Ref<THUD> hud;
extern vellum::Ref<TParticleList> particleList;

}  // namespace tiderush

#include "game/renderer.h"
