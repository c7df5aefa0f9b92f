#pragma once
// TOpenALSound: a sound of the OpenAL drivers, one OpenAL buffer holding
// the sample data.

#include <memory>

#include "al/al_name.h"
#include "al/al_output_openal.h"
#include "audio/audio_sample.h"
#include "audio/sound.h"

namespace vellum {

class TAlOutput;
class TAudioStream;

class TOpenALSound : public TSound, public TAlRebuilt {
public:
    // A sound over a new OpenAL buffer of the started driver holding sample.
    // A buffer that cannot be made or filled gives a sound that plays nothing.
    static Ref<TOpenALSound> Create(const Ref<TAudioSample>& sample, int flags);
    // A sound that each channel decodes from stream as it plays.
    static Ref<TOpenALSound> CreateStream(const std::shared_ptr<TAudioStream>& stream, int flags);

    Ref<TChannel> Play(const Ref<TChannel>& channel) override;
    Ref<TChannel> Cue(const Ref<TChannel>& channel) override;
    // The buffer again on the output's new device, from the kept sample.
    void Rebuild() override;

    TAlName _buffer;  // the OpenAL buffer, empty when none could be made
    int _loop = 0;    // 1 when made with SOUND_LOOP
    std::shared_ptr<TAlOutput> _output;
    std::shared_ptr<TAudioStream> _stream;  // set for a streamed sound, which has no buffer
    Ref<TAudioSample> _sample;  // what the buffer holds, for a new device

private:
    void Upload();
};

}  // namespace vellum
