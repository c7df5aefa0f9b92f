#pragma once
// The OpenAL drivers: "OpenAL" for the system's default output, and, once
// EnableOpenALAudio has run, "OpenAL <device>" for each output device and
// "OpenAL Default". One OpenAL buffer per sound, one source per voice.

#include <memory>

#include "audio/audio_driver.h"
#include "audio/openal_audio.h"

namespace vellum {

class TAlOutput;

class TOpenALAudioDriver : public TAudioDriver {
public:
    // Creates a driver for device devname (empty: the default) and registers it.
    static Ref<TOpenALAudioDriver> Create(const String& name, const String& devname);

    String Name() override;
    // Opens the device and makes a context on it current; 0 when it cannot.
    int Startup() override;
    // Empties the source pool and closes the device.
    void Shutdown() override;
    Ref<TSound> CreateSound(const Ref<TAudioSample>& sample, int flags) override;
    Ref<TSound> CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) override;
    Ref<TChannel> AllocChannel() override;

    String _name;
    String _devname;
    std::shared_ptr<TAlOutput> _output;  // the open device and its context while started
};

// Reads and discards the pending OpenAL error: 1 when there was none.
int CheckOpenALError();

// Registers the "OpenAL" driver when the library is present.
void InitOpenALDrivers();

}  // namespace vellum
