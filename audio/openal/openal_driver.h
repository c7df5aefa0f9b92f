#pragma once
// The OpenAL drivers: "OpenAL" for the system's default output, and, once
// EnableOpenALAudio has run, "OpenAL <device>" for each output device and
// "OpenAL Default". One OpenAL buffer per sound, one source per voice.

#include <memory>

#include "audio/audio_driver.h"
#include "audio/openal_audio.h"
#include "al/al_output_openal.h"

namespace vellum {

class TOpenALAudioDriver : public TAudioDriver, public TAlRebuilt {
public:
    // Creates a driver for device devname (empty: the default) and registers it.
    static Ref<TOpenALAudioDriver> Create(const String& name, const String& devname);

    String Name() override;
    // Opens the device and makes a context on it current. Without one, the
    // driver starts all the same and plays once the device opens (see
    // TAlOutput); 0 only when OpenAL cannot make even a stand-in.
    int Startup() override;
    int WaitingForOutput() override;
    // Empties the source pool and closes the device.
    void Shutdown() override;
    Ref<TSound> CreateSound(const Ref<TAudioSample>& sample, int flags) override;
    Ref<TSound> CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) override;
    Ref<TChannel> AllocChannel() override;
    // The context's settings again on a new device.
    void Rebuild() override;

    String _name;
    String _devname;
    std::shared_ptr<TAlOutput> _output;  // the open device and its context while started
};

// Reads and discards the pending OpenAL error: 1 when there was none.
int CheckOpenALError();

// Registers the "OpenAL" driver when the library is present.
void InitOpenALDrivers();

}  // namespace vellum
