// The mixer's "Multimedia" device over SDL2 audio. The device's design is
// a looping buffer of 32 fragments that a 5 ms timer keeps `lead`
// fragments ahead of the play position. SDL instead calls us when it wants
// data, so the callback plays both parts: it advances the play position by
// what it hands over, and, like the timer, first mixes fragments until the
// lead is restored (TMixerLeadBuffer). A late callback stands for the play
// position overtaking the writes and triggers the restart; the time since
// the previous callback, in output sample values, is what the lead buffer
// compares with what it handed over then.
//
// The output can go: a sound server that stops, a device unplugged (SDL
// stops the device). A watch (TOutputWatch) then opens a new device about
// once a second, off the program thread, and the new one goes on pulling
// from where the old one stopped. Whenever nobody pulls (no device, or one
// that stopped asking), the watch keeps the mixer going on a clock of its
// own, mixing into nothing, so requests drain and voices move on as if
// they were heard.

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

#include "driver/output_watch.h"
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
    // waitForDevice: Open succeeds without a device, and plays once one opens.
    explicit TSdlMixerDevice(bool waitForDevice) : _waitForDevice(waitForDevice) {}
    ~TSdlMixerDevice() override { TSdlMixerDevice::Close(); }

    int FragmentValues() const override { return kFragmentValues; }

    bool Open(TMixerSource* source) override {
        Close();
        _lead = std::make_unique<TMixerLeadBuffer>(source, kFragmentValues);
        _open = true;
        if (!Reopen() && !_waitForDevice) {
            Close();
            return false;
        }
        TOutputWatch::Hooks hooks;
        hooks.present = [this] {
            KeepMixing();
            return SDL_GetAudioDeviceStatus(_device) != SDL_AUDIO_STOPPED;
        };
        hooks.reopen = [this] { return Reopen(); };
        hooks.away = [this] { KeepMixing(); };
        _watch = std::make_unique<TOutputWatch>(std::move(hooks), _device == 0);
        return true;
    }

    void Close() override {
        _watch.reset();  // waits for a device being opened
        if (_device) SDL_CloseAudioDevice(_device);  // waits for a callback in progress
        _device = 0;
        _slot.reset();
        if (_audioUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        _audioUp = false;
        _lead.reset();
        _open = false;
    }

    bool Draining() const override { return _open; }
    bool Waiting() const override { return _watch && _watch->Away(); }

private:
    // What a device's callback pulls for; one per opened device, so that
    // an old device still calling back after its successor opened plays
    // silence instead.
    struct Slot {
        TSdlMixerDevice* device;
        std::atomic<bool> live{true};
    };

    // Opens a device (bringing SDL audio up first if it is not); on the
    // watch's thread once started. The old device closes after the new one
    // took over.
    bool Reopen() {
        if (!_audioUp) {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
            _audioUp = true;
        }
        auto slot = std::make_unique<Slot>();
        slot->device = this;
        SDL_AudioDeviceID fresh = OpenOutput(Callback, slot.get());
        if (!fresh) return false;
        {
            std::lock_guard lock(_pull);
            if (_slot) _slot->live = false;
            _first = true;  // a new device: no gap to make up for
        }
        if (_device) SDL_CloseAudioDevice(_device);
        _device = fresh;
        _slot = std::move(slot);
        SDL_PauseAudioDevice(_device, 0);
        return true;
    }

    // The mixer's own clock, while nobody pulls: what the time since the
    // last tick would have played, into nothing.
    void KeepMixing() {
        Clock::time_point now = Clock::now();
        int pulls = _pulls.load(std::memory_order_acquire);
        bool idle = pulls == _lastPulls;
        _lastPulls = pulls;
        std::chrono::duration<double> since = now - _lastTick;
        _lastTick = now;
        if (!idle) return;
        // At most two ticks' worth: a process that was stopped does not catch up.
        double seconds = std::min(since.count(), 2.0 * TOutputWatch::kTick.count() / 1000.0);
        int values = static_cast<int>(seconds * MIXER_HERTZ) * MIXER_CHANNELS;
        _scratch.resize(static_cast<size_t>(std::max(values, 0)));
        std::lock_guard lock(_pull);
        if (values > 0) _lead->Pull(_scratch.data(), values, -1);
    }

    static void SDLCALL Callback(void* userdata, Uint8* stream, int bytes) {
        auto* slot = static_cast<Slot*>(userdata);
        if (!slot->live.load(std::memory_order_acquire)) {
            SDL_memset(stream, 0, static_cast<size_t>(bytes));
            return;
        }
        slot->device->Pull(reinterpret_cast<std::int16_t*>(stream), bytes / 2);
    }

    void Pull(std::int16_t* out, int values) {
        std::lock_guard lock(_pull);
        Clock::time_point now = Clock::now();
        std::int64_t elapsed = -1;
        if (!_first) {
            std::chrono::duration<double> gap = now - _last;
            elapsed = static_cast<std::int64_t>(gap.count() * MIXER_HERTZ * MIXER_CHANNELS);
        }
        _first = false;
        _last = now;
        _lead->Pull(out, values, elapsed);
        _pulls.fetch_add(1, std::memory_order_release);
    }

    const bool _waitForDevice;
    bool _audioUp = false;           // this device holds SDL's audio subsystem
    SDL_AudioDeviceID _device = 0;   // the watch's once it runs
    std::unique_ptr<Slot> _slot;     // the live device's
    std::atomic<bool> _open{false};
    std::mutex _pull;                // one puller at a time: a callback or the watch's clock
    // Under _pull: made before the device opens, dropped after it closes.
    std::unique_ptr<TMixerLeadBuffer> _lead;
    bool _first = true;
    Clock::time_point _last;
    std::atomic<int> _pulls{0};
    // The watch's own.
    int _lastPulls = -1;
    Clock::time_point _lastTick = Clock::now();
    std::vector<std::int16_t> _scratch;
    std::unique_ptr<TOutputWatch> _watch;  // last: it uses the rest
};

void SDLCALL Silence(void*, Uint8* stream, int bytes) { SDL_memset(stream, 0, static_cast<size_t>(bytes)); }

}  // namespace

std::shared_ptr<TMixerDevice> CreateMultimediaMixerDevice() { return std::make_shared<TSdlMixerDevice>(false); }

std::shared_ptr<TMixerDevice> CreateWaitingMultimediaMixerDevice() { return std::make_shared<TSdlMixerDevice>(true); }

bool MultimediaMixerDeviceAvailable() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioDeviceID device = OpenOutput(Silence, nullptr);
    if (device) SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return device != 0;
}

}  // namespace vellum
