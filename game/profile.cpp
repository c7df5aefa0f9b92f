#include "game/profile.h"

#include "game/globals.h"
#include "game/hud.h"
#include "game/scenery.h"

namespace tiderush {

Ref<TProfile> TProfile::Create() { return vellum::New<TProfile>(); }

void TProfile::UpdateLives(int delta) {
    lives += delta;
    if (lives < 0) lives = 0;
    if (hud) hud->UpdateLives();
}

void TProfile::UpdateScore(int delta) {
    score += delta;
    if (hud) hud->UpdateScore();
}

Ref<TLevel> TLevel::Create() { return vellum::New<TLevel>(); }

void TLevel::Draw() {
    TRock::DrawRockList();
    TPickup::DrawPickupList();
}

void TLevel::Logic() {
    TRock::MoveAll();
    TPickup::MoveAll();
}

void TLevel::Init() {
    TRock::CreateRockList();
    TPickup::CreatePickupList();
}

String PadWithZeros(const String& text, int width) {
    if (static_cast<int>(text.size()) >= width) return text;
    return String(width - text.size(), u'0') + text;
}

void DrawRectOutline(int x, int y, int w, int h) {
    float left = static_cast<float>(x), top = static_cast<float>(y);
    float right = static_cast<float>(x + w - 1), bottom = static_cast<float>(y + h - 1);
    vellum::DrawLine(left, top, right, top, 0);
    vellum::DrawLine(right, top, right, bottom, 0);
    vellum::DrawLine(right, bottom, left, bottom, 0);
    vellum::DrawLine(left, bottom, left, top, 0);
}

}  // namespace tiderush
