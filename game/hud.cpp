#include "game/hud.h"

#include "game/globals.h"
#include "game/player.h"
#include "game/profile.h"

namespace tiderush {

namespace {

Ref<TStatLabel> MakeRow(const String& caption, const String& initial, float x, int mode, int param, int r, int g,
                        int b) {
    auto row = TStatLabel::Create(caption, initial, x, 3.0f, gameFont, 0.4f, 0.6f);
    row->SetUseRendererCamera(0);  // the HUD never zooms with the camera
    row->AlignAsRow(40);
    row->stat->SetFormatMode(mode, param);
    row->SetColor(r, g, b, 1.0f);
    row->SetShadow(1.0f, 1.0f, 0.5f);
    return row;
}

}  // namespace

int SpeedBarFill(float scrollSpeed, int scrollSpeedTotalMax) {
    return static_cast<int>(static_cast<double>(scrollSpeed) / scrollSpeedTotalMax * 400);
}

Ref<THUD> THUD::Create() {
    auto display = vellum::New<THUD>();
    display->Init();
    return display;
}

void THUD::Init() {
    livesLabel = MakeRow(u"Lives:", u"0", 10.0f, TTextFormat::FORMAT_MODE_STRING, 0, 100, 255, 100);
    pickupLabel = MakeRow(u"Pickups:", u"0/0", static_cast<float>(renderer->screenWidth / 2 - 120),
                          TTextFormat::FORMAT_MODE_STRING, 0, 255, 255, 100);
    scoreLabel = MakeRow(u"Score:", u"0", static_cast<float>(renderer->screenWidth - 250),
                         TTextFormat::FORMAT_MODE_ZERO_PADDED_INT, 5, 100, 255, 100);
    UpdateAll();
}

void THUD::Draw() {
    vellum::SetColor(0, 0, 0);
    vellum::SetAlpha(0.5f);
    vellum::DrawRect(0, 0, static_cast<float>(renderer->screenWidth), 30);
    vellum::SetColor(255, 255, 255);
    vellum::SetAlpha(1.0f);
    vellum::SetColor(0, 0, 0);
    vellum::SetAlpha(0.5f);
    vellum::DrawRect(0, static_cast<float>(renderer->screenHeight - 40), static_cast<float>(renderer->screenWidth), 40);
    vellum::SetColor(255, 255, 255);
    vellum::SetAlpha(1.0f);
    livesLabel->Draw();
    pickupLabel->Draw();
    scoreLabel->Draw();
    DrawSpeedBar();
}

void THUD::DrawSpeedBar() {
    int x = (currentLevel->width - 400) / 2;
    int y = currentLevel->height - 35;
    vellum::SetColor(50, 50, 50);
    vellum::DrawRect(static_cast<float>(x), static_cast<float>(y), 400, 30);
    vellum::SetColor(255, 50, 50);
    int fill = SpeedBarFill(player->scrollSpeed, player->scrollSpeedTotalMax);
    vellum::DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(fill), 30);
    vellum::SetColor(255, 255, 255);
    DrawRectOutline(x, y, 400, 30);
}

void THUD::UpdateLives() { livesLabel->UpdateStat(vellum::ToString(profile->lives)); }

void THUD::UpdatePickup() {
    pickupLabel->UpdateStat(vellum::ToString(player->pickups) + u"/" + vellum::ToString(player->goal));
}

void THUD::UpdateScore() { scoreLabel->UpdateStat(vellum::ToString(profile->score)); }

void THUD::UpdateAll() {
    UpdateLives();
    UpdatePickup();
    UpdateScore();
}

}  // namespace tiderush
