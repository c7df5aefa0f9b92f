#pragma once
// TDirectSoundSound: a sound of the "DirectSound" driver. Its sample lives
// in one master platform buffer; voices play through the buffers of
// _bufs, the master first and then duplicates sharing its data.

#include <memory>

#include "audio/audio_sample.h"
#include "dsound/dsound_buf.h"
#include "audio/sound.h"

namespace vellum {

class TDirectSoundSound : public TSound {
public:
    // Hands the buffers to the driver's lonely list, so voices still
    // playing finish, unless the driver was shut down since; the idle
    // ones are released at once.
    ~TDirectSoundSound() override;

    // A sound over a new master buffer holding sample; loops when flags has
    // SOUND_LOOP, asks for a hardware buffer when it has SOUND_HARDWARE.
    // Raises a runtime error when the platform cannot make the buffer.
    static Ref<TDirectSoundSound> Create(const Ref<TAudioSample>& sample, int flags);
    // A sound whose buffers decode stream as they play, each voice on its own.
    static Ref<TDirectSoundSound> CreateStream(const std::shared_ptr<TAudioStream>& stream, int flags);

    Ref<TChannel> Play(const Ref<TChannel>& channel) override;
    Ref<TChannel> Cue(const Ref<TChannel>& channel) override;

    int _seq = 0;  // the driver generation when the sound was made
    Ref<TSoundBuffer> _buffer;
    int _hertz = 0;
    int _loop = 0;
    Ref<TBuf> _bufs;
};

}  // namespace vellum
