#include "game/player.h"

#include "game/game_app.h"
#include "game/game_input.h"
#include "game/globals.h"
#include "game/hud.h"
#include "game/particle.h"
#include "game/profile.h"
#include "game/scenery.h"
#include "game/screens.h"

namespace tiderush {

Ref<TPlayer> TPlayer::CreatePlayer() {
    auto boat = vellum::New<TPlayer>();
    boat->x = static_cast<float>(currentLevel->width / 2);
    boat->y = static_cast<float>(currentLevel->height - 200);
    boat->SetImage(imageBank->Find(u"boat"));
    boat->startingWidth = boat->width;
    boat->startingHeight = boat->height;
    boat->shadow = TShadow::Create(1.5f, 1.5f, 0.5f);
    TWake::CreateWakeList();
    boat->soundExplosion = game->LoadGameSound(u"explosion.wav", 0);
    boat->soundPickup = game->LoadGameSound(u"pickup.wav", 0);
    boat->soundAccelerate = game->LoadGameSound(u"accelerate.wav", 0);
    boat->soundSuccess = game->LoadGameSound(u"success.wav", 0);
    int level = profile->level;
    boat->speedX = boat->speedY = static_cast<float>(level + 6);
    boat->goal = 2 * level + 2;
    boat->scrollSpeedCurrentMax = 2 * level + 2;
    TRock::rockSpawnDistance = 240 - 20 * level;
    if (TRock::rockSpawnDistance == 0) TRock::rockSpawnDistance = 5;
    return boat;
}

void TPlayer::Logic() {
    if (DeathAnimManage()) return;
    SuccessAnimManage();
    if (deathAnimCounter == 0 && successAnimCounter == 0) {
        SpeedUp();
        Move();
        CheckKeys();
        BoundsCheck();
        CheckCollision();
        TWake::Generate();
    }
    TWake::MoveAll();
}

void TPlayer::Draw() {
    if (deathAnimCounter == 0) TSprite::Draw();
}

void TPlayer::Move() {
    if (InputDown(vellum::KEY_LEFT)) direction = DIR_LEFT, x -= speedX;
    if (InputDown(vellum::KEY_RIGHT)) direction = DIR_RIGHT, x += speedX;
    if (InputDown(vellum::KEY_UP)) direction = DIR_UP, y -= speedY;
    if (InputDown(vellum::KEY_DOWN)) direction = DIR_DOWN, y += speedY;
}

void TPlayer::SpeedUp() {
    scrollSpeed += 0.08f;
    if (scrollSpeed > static_cast<float>(scrollSpeedCurrentMax)) scrollSpeed = static_cast<float>(scrollSpeedCurrentMax);
}

void TPlayer::CalcScale() {
    w2 = width / 2;
    h2 = height / 2;
    scaleX = static_cast<float>(width) / static_cast<float>(startingWidth);
    scaleY = static_cast<float>(height) / static_cast<float>(startingHeight);
}

void TPlayer::ChangeSize(int n) {
    width += n;
    height += 2 * n;
    CalcScale();
    BoundsCheck();
}

void TPlayer::RockRect(int& rx, int& ry, int& rw, int& rh) const {
    float ix = 2 * scaleX, iy = 2 * scaleY;
    rx = static_cast<int>(x - static_cast<float>(w2) + ix);
    ry = static_cast<int>(y - static_cast<float>(h2) + iy);
    rw = static_cast<int>(static_cast<float>(width) - 2 * ix);
    rh = static_cast<int>(static_cast<float>(height) - 2 * iy);
}

void TPlayer::PickupRect(int& rx, int& ry, int& rw, int& rh) const {
    rx = static_cast<int>(x - static_cast<float>(w2) + 1);
    ry = static_cast<int>(y - static_cast<float>(h2) + 1);
    rw = width - 2;
    rh = height - 2;
}

void TPlayer::CheckCollision() {
    CollideWithPickups();
    CollideWithRocks();
}

void TPlayer::CollideWithPickups() {
    if (!TPickup::pickupList) return;
    for (const auto& pickup : TPickup::pickupList->Each<TPickup>()) {
        int bx, by, bw, bh, px, py;
        PickupRect(bx, by, bw, bh);  // later pickups meet the grown boat
        SceneryRect(*pickup, px, py);
        if (!RectsOverlap(bx, by, bw, bh, px, py, pickup->width, pickup->height)) continue;
        profile->UpdateScore(pickup->score);
        ++pickups;
        hud->UpdatePickup();
        ChangeSize(pickup->power / 2);
        pickup->RemoveFromPickupList();
        game->PlayGameSound(soundPickup, channelPickup, 0.8f);
        auto ring = particleList->AddNew(imageBank->Find(u"particlering2"), static_cast<int>(pickup->x),
                                         static_cast<int>(pickup->y), u"", nullptr);
        ring->SetParams(-0.04f, 0, 0.05f, 0.05f, 0, 0);
        if (!GoalTest()) ring->speedY = scrollSpeed;  // the ring drifts with the water
    }
}

void TPlayer::CollideWithRocks() {
    if (!TRock::rockList) return;
    for (const auto& rock : TRock::rockList->Each<TRock>()) {
        int bx, by, bw, bh, rx, ry;
        RockRect(bx, by, bw, bh);
        SceneryRect(*rock, rx, ry);
        if (!RectsOverlap(bx, by, bw, bh, rx, ry, rock->width, rock->height)) continue;
        profile->UpdateLives(-1);
        hud->UpdateLives();
        DeathAnimStart();
        return;
    }
}

int TPlayer::GoalTest() {
    if (pickups < goal) return 0;
    SuccessAnimStart();
    return 1;
}

void TPlayer::Accelerate() {
    game->PlayGameSound(soundAccelerate, channelAccelerate, 0.8f);
    auto message = particleList->AddNew(nullptr, currentLevel->width / 2, 100,
                                        u"Get " + vellum::ToString(goal) + u" Pickups", gameFont);
    message->SetParams(-0.01f, 0, 0.003f, 0.003f, 0, 0);
    message->scaleY = 1.5f;
    message->color = TColor::Create(255, 255, 100, 1.0f);
    message->shadow = TShadow::Create(3.0f, 3.0f, 0.5f);
    message->useRendererCamera = 0;
}

void TPlayer::DeathAnimStart() {
    auto ring = particleList->AddNew(imageBank->Find(u"particlering"), static_cast<int>(x), static_cast<int>(y), u"",
                                     nullptr);
    ring->SetParams(-0.04f, 0, 0.1f, 0.1f, 0, 0);
    for (int i = 0; i < 8; ++i) {
        int py = vellum::RandomInt(static_cast<int>(y - 50), static_cast<int>(y + 50));
        int px = vellum::RandomInt(static_cast<int>(x - 50), static_cast<int>(x + 50));
        auto blast = particleList->AddNew(imageBank->Find(u"explosion"), px, py, u"", nullptr);
        blast->SetScaleParams(0.3f, 0.3f);
        float growth = static_cast<float>(vellum::RandomFloat(0.05, 0.1));
        float spin = static_cast<float>(vellum::RandomInt(10, 30));
        blast->SetParams(-0.04f, spin, growth, growth, 0, 0);
    }
    deathAnimCounter = deathAnimCounterMax;
    scrollSpeed = 0;
    width = startingWidth;
    height = startingHeight;
    CalcScale();
    game->PlayGameSound(soundExplosion, channelExplosion, 1.0f);
}

int TPlayer::DeathAnimManage() {
    if (deathAnimCounter <= 0) return 0;
    --deathAnimCounter;
    renderer->scaleX += 0.02f;
    renderer->scaleY += 0.02f;
    renderer->CentreOnCoords(x, y);
    return deathAnimCounter <= 0 ? DeathAnimEnd() : 0;
}

int TPlayer::DeathAnimEnd() {
    renderer->ResetScale();
    renderer->ResetScrolling();
    if (profile->lives <= 0) {
        game->ChangeScreen(TGameOverScreen::Create());
        return 1;
    }
    TRock::CreateRockList();
    TPickup::CreatePickupList();
    SpawnInSafePlace();
    TWake::CreateWakeList();
    Accelerate();
    return 0;
}

void TPlayer::SpawnInSafePlace() {
    x = static_cast<float>(currentLevel->width / 2);
    y = static_cast<float>(currentLevel->height - 200);
    int step = 1;
    for (bool collided = true; collided;) {
        collided = false;
        for (const auto& rock : TRock::rockList->Each<TRock>()) {
            int bx, by, bw, bh, rx, ry;
            RockRect(bx, by, bw, bh);
            SceneryRect(*rock, rx, ry);
            if (!RectsOverlap(bx, by, bw, bh, rx, ry, rock->width, rock->height)) continue;
            collided = true;
            if (step == 1) {
                x += 10;
                if (x > static_cast<float>(currentLevel->width - w2)) step = -1, x = static_cast<float>(currentLevel->width / 2);
            } else {
                x -= 10;
                if (x < static_cast<float>(w2)) {
                    step = 1;
                    x = static_cast<float>(currentLevel->width / 2);
                    y -= 10;
                }
            }
        }
    }
}

void TPlayer::SuccessAnimStart() {
    auto text = particleList->AddNew(nullptr, currentLevel->width / 2, 300, u"AWESOME!", gameFont);
    text->SetParams(-0.015f, 0, 0.015f, 0.015f, 0, -1.0f);  // rises, grows and fades over 67 ticks
    text->scaleY = 1.5f;
    text->color = TColor::Create(255, 150, 0, 1.0f);
    text->shadow = TShadow::Create(3.0f, 3.0f, 0.5f);
    text->useRendererCamera = 0;
    successAnimCounter = successAnimCounterMax;
    scrollSpeed = 0;
    game->PlayGameSound(soundSuccess, channelSuccess, 1.0f);
}

int TPlayer::SuccessAnimManage() {
    if (successAnimCounter <= 0) return 0;
    --successAnimCounter;
    renderer->scaleX += 0.01f;
    renderer->scaleY += 0.01f;
    renderer->CentreOnCoords(x, y);
    if (successAnimCounter > 0) return 0;
    SuccessAnimEnd();
    return 1;
}

void TPlayer::SuccessAnimEnd() {
    renderer->ResetScale();
    renderer->ResetScrolling();
    game->ChangeScreen(TLevelCompleteScreen::Create());
}

}  // namespace tiderush
