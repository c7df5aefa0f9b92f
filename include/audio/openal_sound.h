#pragma once
// TOpenALSound: a sound of the OpenAL drivers, one OpenAL buffer holding
// the sample data.

#include <memory>

#include "audio/audio_sample.h"
#include "audio/sound.h"

namespace vellum {

class TAlOutput;

class TOpenALSound : public TSound {
public:
    // Deletes the OpenAL buffer while its device is still open.
    ~TOpenALSound() override;

    // A sound over a new OpenAL buffer of the started driver holding sample.
    // A buffer that cannot be made or filled gives a sound that plays nothing.
    static Ref<TOpenALSound> Create(const Ref<TAudioSample>& sample, int flags);

    Ref<TChannel> Play(const Ref<TChannel>& channel) override;
    Ref<TChannel> Cue(const Ref<TChannel>& channel) override;

    int _buffer = 0;  // OpenAL buffer name
    int _loop = 0;    // 1 when made with SOUND_LOOP
    std::shared_ptr<TAlOutput> _output;
};

}  // namespace vellum
