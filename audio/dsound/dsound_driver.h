#pragma once
// TDirectSoundAudioDriver: the default driver, "DirectSound", which gives
// every voice a platform sound buffer of its own.

#include "audio/audio_driver.h"
#include "dsound/dsound_buf.h"

namespace vellum {

class TDirectSoundAudioDriver : public TAudioDriver {
public:
    // Creates a driver and registers it; mode 1 forces software buffers.
    static Ref<TDirectSoundAudioDriver> Create(const String& name, int mode);

    String Name() override;
    // Opens the platform device. Without one it starts all the same and
    // plays once the device appears (see TAlOutput).
    int Startup() override;
    // Closes the device; sounds made before no longer play.
    void Shutdown() override;
    int WaitingForOutput() override;
    Ref<TSound> CreateSound(const Ref<TAudioSample>& sample, int flags) override;
    Ref<TSound> CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) override;
    Ref<TChannel> AllocChannel() override;

    // Releases the lonely buffers that stopped playing.
    void FlushLonely();

    String _name;
    int _mode = 0;
    Ref<TSoundDevice> _dsound;  // the device while started
    Ref<TBuf> _lonely;          // buffers of deleted sounds, waiting to finish
};

// The started "DirectSound" driver, Null when none.
Ref<TDirectSoundAudioDriver> StartedDirectSoundDriver();
// The driver generation: grows by one at every Shutdown.
int DirectSoundGeneration();

// Registers the "DirectSound" driver when the platform has sound devices.
void InitDirectSoundDriver();

}  // namespace vellum
