// The mixer's "Multimedia" device over SDL2 audio. The device's design is
// a looping buffer of 32 fragments that a 5 ms timer keeps `lead`
// fragments ahead of the play position. SDL instead calls us when it wants
// data, so the callback plays both parts: it advances the play position by
// what it hands over, and, like the timer, first mixes fragments until the
// lead is restored (TMixerLeadBuffer). A late callback stands for the play
// position overtaking the writes and triggers the restart; the time since
// the previous callback, in output sample values, is what the lead buffer
// compares with what it handed over then.

#include <SDL.h>

#include <chrono>
#include <memory>

#include "mixer/mixer_device.h"
#include "mixer/mixer_lead_buffer.h"

namespace vellum {

namespace {

// 1024 sample values (512 stereo frames, about 11.6 ms) per fragment.
constexpr int kFragmentValues = 1024;

using Clock = std::chrono::steady_clock;

SDL_AudioSpec OutputSpec(SDL_AudioCallback callback, void* userdata) {
    SDL_AudioSpec format{};
    format.freq = MIXER_HERTZ;
    format.format = AUDIO_S16SYS;
    format.channels = MIXER_CHANNELS;
    format.samples = kFragmentValues / MIXER_CHANNELS;
    format.callback = callback;
    format.userdata = userdata;
    return format;
}

// Opens the default output in the mixer's format (SDL converts if the
// hardware differs); 0 on failure. The audio subsystem must be up.
SDL_AudioDeviceID OpenOutput(SDL_AudioCallback callback, void* userdata) {
    SDL_AudioSpec want = OutputSpec(callback, userdata);
    SDL_AudioSpec have{};
    return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

class TSdlMixerDevice : public TMixerDevice {
public:
    ~TSdlMixerDevice() override { TSdlMixerDevice::Close(); }

    int FragmentValues() const override { return kFragmentValues; }

    bool Open(TMixerSource* source) override {
        Close();
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        _lead = std::make_unique<TMixerLeadBuffer>(source, kFragmentValues);
        _first = true;
        _device = OpenOutput(Callback, this);
        if (!_device) {
            _lead.reset();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudioDevice(_device, 0);
        return true;
    }

    void Close() override {
        if (!_device) return;
        SDL_CloseAudioDevice(_device);  // waits for a callback in progress
        _device = 0;
        _lead.reset();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Draining() const override { return _device != 0; }

private:
    static void SDLCALL Callback(void* userdata, Uint8* stream, int bytes) {
        auto* self = static_cast<TSdlMixerDevice*>(userdata);
        Clock::time_point now = Clock::now();
        std::int64_t elapsed = -1;
        if (!self->_first) {
            std::chrono::duration<double> gap = now - self->_last;
            elapsed = static_cast<std::int64_t>(gap.count() * MIXER_HERTZ * MIXER_CHANNELS);
        }
        self->_first = false;
        self->_last = now;
        self->_lead->Pull(reinterpret_cast<std::int16_t*>(stream), bytes / 2, elapsed);
    }

    SDL_AudioDeviceID _device = 0;
    // The callback's own; made before the device opens, dropped after it closes.
    std::unique_ptr<TMixerLeadBuffer> _lead;
    bool _first = true;
    Clock::time_point _last;
};

void SDLCALL Silence(void*, Uint8* stream, int bytes) { SDL_memset(stream, 0, static_cast<size_t>(bytes)); }

}  // namespace

std::shared_ptr<TMixerDevice> CreateMultimediaMixerDevice() { return std::make_shared<TSdlMixerDevice>(); }

bool MultimediaMixerDeviceAvailable() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioDeviceID device = OpenOutput(Silence, nullptr);
    if (device) SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return device != 0;
}

}  // namespace vellum
