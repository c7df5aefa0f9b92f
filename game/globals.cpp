#include "game/globals.h"

#include "game/game_app.h"
#include "game/hud.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/profile.h"

namespace tiderush {

vellum::Ref<TGame> game;
vellum::Ref<TRenderer> renderer;
vellum::Ref<TImageBank> imageBank;
vellum::Ref<vellum::TImageFont> gameFont;
vellum::Ref<TProfile> profile;
vellum::Ref<TLevel> currentLevel;
vellum::Ref<TPlayer> player;
vellum::Ref<THUD> hud;
vellum::Ref<TParticleList> particleList;

}  // namespace tiderush
