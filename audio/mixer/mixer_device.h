#pragma once
// The seam between the software mixer and the output that plays its
// stream: a device pulls 44100 Hz 16-bit stereo sample values from a
// source, on a thread of its own (or, for the memory device, whenever its
// owner asks).

#include <cstdint>
#include <memory>

namespace vellum {

// The output format of every mixer device.
constexpr int MIXER_HERTZ = 44100;
constexpr int MIXER_CHANNELS = 2;

class TMixerSource {
public:
    virtual ~TMixerSource() = default;
    // Mixes the next values sample values (left, right, left...) into out.
    virtual void Mix(std::int16_t* out, int values) = 0;
};

class TMixerDevice {
public:
    virtual ~TMixerDevice() = default;
    // The most sample values the device asks for in one Mix call.
    virtual int FragmentValues() const = 0;
    // Starts pulling from source; false when the device cannot open.
    virtual bool Open(TMixerSource* source) = 0;
    // Stops pulling: once it returns no Mix call runs or follows.
    virtual void Close() = 0;
    // True while a thread of the device's own keeps calling Mix, so a
    // program waiting for room in the request ring will get it.
    virtual bool Draining() const = 0;
    // True while the device has no output and waits for one to come (back).
    virtual bool Waiting() const { return false; }
};

// The "Multimedia" device: an SDL2 audio device that pulls from the mixer.
std::shared_ptr<TMixerDevice> CreateMultimediaMixerDevice();
// The same, but opening even without a device: it plays once one opens.
std::shared_ptr<TMixerDevice> CreateWaitingMultimediaMixerDevice();
// The "DirectSound" device: an OpenAL streaming source fed by a mixing thread.
std::shared_ptr<TMixerDevice> CreateDirectSoundMixerDevice();
// Whether each device's back end opens; each opens and closes it to find out.
bool MultimediaMixerDeviceAvailable();
bool DirectSoundMixerDeviceAvailable();

}  // namespace vellum
