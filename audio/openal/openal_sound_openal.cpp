#include "audio/openal_sound.h"

#include "openal/al_output_openal.h"
#include "audio/openal_channel.h"
#include "audio/openal_driver.h"
#include "audio/openal_source.h"

namespace vellum {

namespace {

// The OpenAL format for a sample format, converting big-endian samples.
ALenum AlFormatOf(Ref<TAudioSample>& sample) {
    switch (sample->format) {
        case SF_MONO8: return AL_FORMAT_MONO8;
        case SF_MONO16LE: return AL_FORMAT_MONO16;
        case SF_MONO16BE: sample = sample->Convert(SF_MONO16LE); return AL_FORMAT_MONO16;
        case SF_STEREO8: return AL_FORMAT_STEREO8;
        case SF_STEREO16LE: return AL_FORMAT_STEREO16;
        case SF_STEREO16BE: sample = sample->Convert(SF_STEREO16LE); return AL_FORMAT_STEREO16;
        default: return 0;
    }
}

}  // namespace

Ref<TOpenALSound> TOpenALSound::Create(const Ref<TAudioSample>& source, int flags) {
    auto sound = New<TOpenALSound>();
    sound->_loop = (flags & SOUND_LOOP) ? 1 : 0;
    sound->_output = CurrentOpenALOutput();
    if (!sound->_output || !sound->_output->IsOpen()) return sound;

    Ref<TAudioSample> sample = source;
    ALenum format = AlFormatOf(sample);
    sound->_buffer = TAlName::Make(TAlName::BUFFER, sound->_output);
    if (!sound->_buffer) return sound;
    TAlContextScope scope(*sound->_output);
    alBufferData(sound->_buffer.Id(), format, sample->samples, sample->ByteCount(), sample->hertz);
    CheckOpenALError();  // a failed upload leaves a sound that plays nothing
    return sound;
}

Ref<TOpenALSound> TOpenALSound::CreateStream(const std::shared_ptr<TAudioStream>& stream, int flags) {
    auto sound = New<TOpenALSound>();
    sound->_loop = (flags & SOUND_LOOP) ? 1 : 0;
    sound->_output = CurrentOpenALOutput();
    sound->_stream = stream;
    return sound;
}

Ref<TChannel> TOpenALSound::Play(const Ref<TChannel>& channel) {
    Ref<TChannel> played = Cue(channel);
    played->SetPaused(0);
    return played;
}

Ref<TChannel> TOpenALSound::Cue(const Ref<TChannel>& channel) {
    auto cued = Cast<TOpenALChannel>(channel);
    if (!cued) cued = TOpenALChannel::Create(0);
    cued->Cue(Self(this));
    return cued;
}

}  // namespace vellum
