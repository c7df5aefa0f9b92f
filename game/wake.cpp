#include "game/globals.h"
#include "game/player.h"
#include "game/scenery.h"

namespace tiderush {

Ref<vellum::TList> TWake::wakeList;
int TWake::wakeSpawnCounter = 0;
int TWake::wakeSpawnInterval = 2;

Ref<TWake> TWake::CreateWake(int px, int py, int drift) {
    auto wake = vellum::New<TWake>();
    wake->x = static_cast<float>(px);
    wake->y = static_cast<float>(py);
    wake->SetImage(imageBank->Find(u"wake"));
    wake->scaleX = player->scaleX;
    wake->scaleY = player->scaleY;
    wake->direction = drift;
    if (!wakeList) wakeList = vellum::New<vellum::TList>();
    wakeList->AddLast(wake);
    return wake;
}

Ref<vellum::TList> TWake::CreateWakeList() {
    if (!wakeList)
        wakeList = vellum::New<vellum::TList>();
    else
        wakeList->Clear();
    return wakeList;
}

void TWake::DrawWakeList() {
    if (!wakeList) return;
    for (const auto& wake : wakeList->Each<TWake>()) wake->Draw();
}

void TWake::Generate() {
    if (--wakeSpawnCounter > 0) return;
    wakeSpawnCounter += wakeSpawnInterval;
    float offset = 11 * player->scaleX;
    int y = static_cast<int>(player->y + static_cast<float>(player->h2) + 4);
    CreateWake(static_cast<int>(player->x - offset), y, -1);
    CreateWake(static_cast<int>(player->x + offset), y, 1);
}

void TWake::MoveAll() {
    if (!wakeList) return;
    for (const auto& wake : wakeList->Each<TWake>()) {
        wake->y += player->scrollSpeed;
        wake->alpha -= 0.01f;
        wake->scaleX -= 0.01f;
        wake->scaleY -= 0.01f;
        wake->x += static_cast<float>(wake->direction) * 0.2f;
        if (!(wake->alpha > 0)) wakeList->Remove(wake);
    }
}

}  // namespace tiderush
