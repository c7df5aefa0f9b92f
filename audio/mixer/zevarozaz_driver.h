#pragma once
// TZevaRozazAudioDriver: the drivers that mix every voice in software and
// hand one stream to an output device. Mode 1 uses the DirectSound device
// (an OpenAL stream), 0 the Multimedia device (SDL audio), -1 the
// Multimedia device when it opens, else the DirectSound device.

#include "audio/audio_driver.h"

namespace vellum {

class TZevaRozazAudioDriver : public TAudioDriver {
public:
    // Creates a driver and registers it.
    static Ref<TZevaRozazAudioDriver> Create(const String& name, int mode);

    String Name() override;
    // Opens the mode's device and starts the mixer on it; 0 when none opens.
    int Startup() override;
    // Closes the mixer and its device.
    void Shutdown() override;
    int WaitingForOutput() override;
    // A sound over a copy of sample; Null for a sample without a format.
    Ref<TSound> CreateSound(const Ref<TAudioSample>& sample, int flags) override;
    // A sound each voice of which decodes stream as it plays.
    Ref<TSound> CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) override;
    // A channel of its own for the program; Null when every slot is taken.
    Ref<TChannel> AllocChannel() override;

    String _name;
    int _mode = 0;
};

// Registers "ZevaRozaz DirectSound" and "ZevaRozaz Multimedia" for the
// devices whose back ends open, and "ZevaRozaz" when either does.
void RegisterMixerDrivers();

}  // namespace vellum
