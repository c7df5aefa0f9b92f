// Gamepads through SDL's game controller interface: pads are opened as they
// are plugged in (those present at start arrive the same way) and their
// buttons and axes become engine events, with the pad's index.

#include <array>

#include "runtime/exit_functions.h"
#include "system/event.h"
#include "system/gamepad.h"
#include "sdl/native_events_sdl.h"

namespace vellum {

namespace {

struct OpenPad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID instance = -1;
};

std::array<OpenPad, MAX_GAMEPADS>& OpenPads() {
    static auto* pads = new std::array<OpenPad, MAX_GAMEPADS>;  // lives for the whole run
    return *pads;
}

int IndexOf(SDL_JoystickID instance) {
    auto& pads = OpenPads();
    for (int i = 0; i < MAX_GAMEPADS; ++i)
        if (pads[i].controller && pads[i].instance == instance) return i;
    return -1;
}

void Plugged(int deviceIndex) {
    auto& pads = OpenPads();
    SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (IndexOf(instance) >= 0) return;  // already open
    int index = 0;
    while (index < MAX_GAMEPADS && pads[index].controller) ++index;
    if (index == MAX_GAMEPADS) return;  // every index is taken: the pad is ignored
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    pads[index] = {controller, SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))};
    const char* name = SDL_GameControllerName(controller);
    MakeEvent(EVENT_GAMEPADCONNECT, nullptr, index, 0, 0, 0, BoxString(FromUtf8(name ? name : "")))->Emit();
}

void Unplugged(SDL_JoystickID instance) {
    int index = IndexOf(instance);
    if (index < 0) return;
    SDL_GameControllerClose(OpenPads()[index].controller);
    OpenPads()[index] = {};
    MakeEvent(EVENT_GAMEPADDISCONNECT, nullptr, index)->Emit();
}

}  // namespace

void StartSDLGamepads() {
    static bool started = false;
    if (started) return;
    started = true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // no pads, the rest works
    AddExitFunction([] {
        for (auto& pad : OpenPads())
            if (pad.controller) SDL_GameControllerClose(pad.controller), pad = {};
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    });
}

void TranslateGamepadEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Plugged(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: Unplugged(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        int index = IndexOf(event.cbutton.which);
        if (index < 0 || event.cbutton.button >= PAD_BUTTON_COUNT) break;
        MakeEvent(event.type == SDL_CONTROLLERBUTTONDOWN ? EVENT_GAMEPADBUTTONDOWN : EVENT_GAMEPADBUTTONUP, nullptr,
                  event.cbutton.button, 0, index)
            ->Emit();
        break;
    }
    case SDL_CONTROLLERAXISMOTION: {
        int index = IndexOf(event.caxis.which);
        if (index < 0 || event.caxis.axis >= PAD_AXIS_COUNT) break;
        MakeEvent(EVENT_GAMEPADAXIS, nullptr, event.caxis.axis, 0, index, event.caxis.value)->Emit();
        break;
    }
    default: break;
    }
}

}  // namespace vellum
