#include "openal/openal_channel.h"

#include <cmath>

#include "al/al_output_openal.h"
#include "streaming/stream_pump_openal.h"
#include "openal/openal_driver.h"
#include "sample/audio_stream.h"

namespace vellum {

namespace {

// The first idle source of the pool, unlinked from it; Null when none.
Ref<TOpenALSource> TakeIdleSource() {
    for (Ref<TOpenALSource>* link = &OpenALSourcePool(); *link; link = &(*link)->_succ) {
        if ((*link)->Active()) continue;
        Ref<TOpenALSource> source = *link;
        *link = std::move(source->_succ);
        return source;
    }
    return nullptr;
}

void PushToPool(const Ref<TOpenALSource>& source) {
    source->_succ = std::move(OpenALSourcePool());
    OpenALSourcePool() = source;
}

}  // namespace

TOpenALChannel::~TOpenALChannel() {
    if (!Valid()) return;
    if (!_source->Playing()) Detach();
    if (_static) PushToPool(_source);
}

Ref<TOpenALChannel> TOpenALChannel::Create(int isStatic) {
    Ref<TOpenALSource> source = TakeIdleSource();
    if (source) {
        ++source->_seq;  // the channel that used it goes stale
        TAlContextScope scope(*source->_output);
        source->SetPump(nullptr);
        ALuint id = source->_id.Id();
        alSourceRewind(id);
        alSourcei(id, AL_BUFFER, 0);
        source->_sound = nullptr;
    } else {
        source = New<TOpenALSource>();
        source->_output = CurrentOpenALOutput();
        if (source->Live()) source->_id = TAlName::Make(TAlName::SOURCE, source->_output);
        if (source->_id) source->_output->Track(source, TAlRebuilt::VOICES);
    }

    source->_intent = TOpenALSource::IDLE;
    source->_gain = source->_pitch = 1.0f;
    source->_position[0] = source->_position[1] = 0.0f;
    source->_position[2] = 1.0f;
    auto channel = New<TOpenALChannel>();
    channel->_source = source;
    channel->_seq = source->_seq;
    channel->_static = isStatic;
    if (!source->_id) {
        ++channel->_seq;  // no source: every operation does nothing
        return channel;
    }
    TAlContextScope scope(*source->_output);
    ALuint id = source->_id.Id();
    alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(id, AL_GAIN, 1.0f);
    alSourcef(id, AL_PITCH, 1.0f);
    alSource3f(id, AL_POSITION, 0.0f, 0.0f, 1.0f);
    if (!isStatic) PushToPool(source);
    return channel;
}

bool TOpenALChannel::Valid() const { return _source && _seq == _source->_seq && _source->Live(); }

void TOpenALChannel::Detach() {
    _source->SetPump(nullptr);
    TAlContextScope scope(*_source->_output);
    ALuint id = _source->_id.Id();
    alSourceStop(id);
    alSourcei(id, AL_BUFFER, 0);
    _source->_sound = nullptr;
    _source->_intent = TOpenALSource::IDLE;
}

int TOpenALChannel::Cue(const Ref<TOpenALSound>& sound) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    ALuint id = _source->_id.Id();
    _source->_sound = sound;
    _source->_intent = TOpenALSource::CUED;
    if (sound->_stream) {
        // A voice of its own, decoding from the first frame at once.
        int format = sound->_stream->Format();
        _source->SetPump(std::make_unique<TAlStreamPump>(_source->_output, id, sound->_stream, format));
        return 1;
    }
    _source->SetPump(nullptr);
    alSourceRewind(id);
    alSourcei(id, AL_LOOPING, sound->_loop ? AL_TRUE : AL_FALSE);
    // A sound made on a device that has since closed has no buffer here.
    alSourcei(id, AL_BUFFER, sound->_output == _source->_output ? static_cast<ALint>(sound->_buffer.Id()) : 0);
    return 1;
}

int TOpenALChannel::Stop() {
    if (!Valid()) return 0;
    ++_source->_seq;
    Detach();
    if (_static) PushToPool(_source);
    return 1;
}

int TOpenALChannel::SetPaused(int paused) {
    if (!Valid()) return 0;
    if (TAlStreamPump* pump = _source->Pump()) {
        if (paused)
            pump->Pause();
        else
            pump->Play();
        _source->_intent = paused ? TOpenALSource::PAUSED : TOpenALSource::PLAYING;
        return 1;
    }
    TAlContextScope scope(*_source->_output);
    ALuint id = _source->_id.Id();
    if (paused) {
        if (_source->Active()) {
            alSourcePause(id);
            alGetSourcei(id, AL_SAMPLE_OFFSET, &_source->_offset);
            _source->_intent = TOpenALSource::PAUSED;
        }
    } else if (_source->Paused()) {
        alSourcePlay(id);
        _source->_intent = TOpenALSource::PLAYING;
    }
    return 1;
}

int TOpenALChannel::SetVolume(float volume) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    _source->_gain = volume;
    alSourcef(_source->_id.Id(), AL_GAIN, volume);
    return 1;
}

int TOpenALChannel::SetPan(float pan) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    float angle = pan * 1.57079632679f;  // pan * 90 degrees
    float* position = _source->_position;
    position[0] = std::sin(angle);
    position[1] = 0.0f;
    position[2] = -std::cos(angle);
    alSource3f(_source->_id.Id(), AL_POSITION, position[0], position[1], position[2]);
    return 1;
}

int TOpenALChannel::SetDepth(float) { return 0; }

int TOpenALChannel::SetRate(float rate) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    _source->_pitch = rate;
    alSourcef(_source->_id.Id(), AL_PITCH, rate);
    return 1;
}

int TOpenALChannel::Playing() { return Valid() ? _source->Playing() : 0; }

}  // namespace vellum
