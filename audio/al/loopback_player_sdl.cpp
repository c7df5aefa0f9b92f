#include "al/loopback_player.h"

#include <AL/alext.h>
#include <SDL.h>

namespace vellum {

struct TLoopbackPlayer::Output {
    ALCdevice* loopback = nullptr;
    LPALCRENDERSAMPLESSOFT render = nullptr;
    bool audioUp = false;  // this player holds SDL's audio subsystem
    SDL_AudioDeviceID device = 0;

    ~Output() {
        if (device) SDL_CloseAudioDevice(device);  // waits for a pull in progress
        if (audioUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static void SDLCALL Pull(void* userdata, Uint8* stream, int bytes) {
        auto* output = static_cast<Output*>(userdata);
        output->render(output->loopback, stream, bytes / 4);  // 16-bit stereo frames
    }
};

TLoopbackPlayer::TLoopbackPlayer(std::unique_ptr<Output> output) : _output(std::move(output)) {}

TLoopbackPlayer::~TLoopbackPlayer() = default;

std::unique_ptr<TLoopbackPlayer> TLoopbackPlayer::Start(ALCdevice* loopback, int hertz) {
    if (!loopback) return nullptr;
    auto output = std::make_unique<Output>();
    output->loopback = loopback;
    output->render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(loopback, "alcRenderSamplesSOFT"));
    if (!output->render) return nullptr;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    output->audioUp = true;
    SDL_AudioSpec want{};
    want.freq = hertz;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = Output::Pull;
    want.userdata = output.get();
    SDL_AudioSpec have{};
    output->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);  // SDL converts for the hardware
    if (!output->device) return nullptr;
    SDL_PauseAudioDevice(output->device, 0);
    return std::unique_ptr<TLoopbackPlayer>(new TLoopbackPlayer(std::move(output)));
}

bool TLoopbackPlayer::Playing() const { return SDL_GetAudioDeviceStatus(_output->device) != SDL_AUDIO_STOPPED; }

}  // namespace vellum
