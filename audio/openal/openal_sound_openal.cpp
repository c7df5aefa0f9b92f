#include "openal/openal_sound.h"

#include "al/al_output_openal.h"
#include "openal/openal_channel.h"
#include "openal/openal_driver.h"
#include "openal/openal_source.h"
#include "sample/sample_convert.h"

namespace vellum {

Ref<TOpenALSound> TOpenALSound::Create(const Ref<TAudioSample>& source, int flags) {
    auto sound = New<TOpenALSound>();
    sound->_loop = (flags & SOUND_LOOP) ? 1 : 0;
    sound->_output = CurrentOpenALOutput();
    if (!sound->_output || !sound->_output->IsOpen()) return sound;

    sound->_sample = LittleEndianSample(source);
    sound->Upload();
    if (sound->_buffer) sound->_output->Track(sound, TAlRebuilt::DATA);
    return sound;
}

void TOpenALSound::Upload() {
    _buffer = TAlName::Make(TAlName::BUFFER, _output);
    if (!_buffer) return;
    TAlContextScope scope(*_output);
    alBufferData(_buffer.Id(), AlFormatOf(_sample->format), _sample->samples, _sample->ByteCount(), _sample->hertz);
    CheckOpenALError();  // a failed upload leaves a sound that plays nothing
}

void TOpenALSound::Rebuild() { Upload(); }

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
