#include "audio/openal_channel.h"

#include <cmath>

#include "openal/al_output_openal.h"
#include "audio/openal_driver.h"

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
        auto id = static_cast<ALuint>(source->_id);
        alSourceRewind(id);
        alSourcei(id, AL_BUFFER, 0);
        source->_sound = nullptr;
    } else {
        source = New<TOpenALSource>();
        source->_output = CurrentOpenALOutput();
        if (source->Live()) {
            TAlContextScope scope(*source->_output);
            ALuint id = 0;
            alGenSources(1, &id);
            CheckOpenALError();
            source->_id = static_cast<int>(id);
        }
    }

    auto channel = New<TOpenALChannel>();
    channel->_source = source;
    channel->_seq = source->_seq;
    channel->_static = isStatic;
    if (source->_id == 0) {
        ++channel->_seq;  // no source: every operation does nothing
        return channel;
    }
    TAlContextScope scope(*source->_output);
    auto id = static_cast<ALuint>(source->_id);
    alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(id, AL_GAIN, 1.0f);
    alSourcef(id, AL_PITCH, 1.0f);
    alSource3f(id, AL_POSITION, 0.0f, 0.0f, 1.0f);
    if (!isStatic) PushToPool(source);
    return channel;
}

bool TOpenALChannel::Valid() const { return _source && _seq == _source->_seq && _source->Live(); }

void TOpenALChannel::Detach() {
    TAlContextScope scope(*_source->_output);
    auto id = static_cast<ALuint>(_source->_id);
    alSourceStop(id);
    alSourcei(id, AL_BUFFER, 0);
    _source->_sound = nullptr;
}

int TOpenALChannel::Cue(const Ref<TOpenALSound>& sound) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    auto id = static_cast<ALuint>(_source->_id);
    _source->_sound = sound;
    alSourceRewind(id);
    alSourcei(id, AL_LOOPING, sound->_loop ? AL_TRUE : AL_FALSE);
    // A sound made on a device that has since closed has no buffer here.
    alSourcei(id, AL_BUFFER, sound->_output == _source->_output ? sound->_buffer : 0);
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
    TAlContextScope scope(*_source->_output);
    auto id = static_cast<ALuint>(_source->_id);
    if (paused)
        alSourcePause(id);
    else if (_source->Paused())
        alSourcePlay(id);
    return 1;
}

int TOpenALChannel::SetVolume(float volume) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    alSourcef(static_cast<ALuint>(_source->_id), AL_GAIN, volume);
    return 1;
}

int TOpenALChannel::SetPan(float pan) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    float angle = pan * 1.57079632679f;  // pan * 90 degrees
    alSource3f(static_cast<ALuint>(_source->_id), AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
    return 1;
}

int TOpenALChannel::SetDepth(float) { return 0; }

int TOpenALChannel::SetRate(float rate) {
    if (!Valid()) return 0;
    TAlContextScope scope(*_source->_output);
    alSourcef(static_cast<ALuint>(_source->_id), AL_PITCH, rate);
    return 1;
}

int TOpenALChannel::Playing() { return Valid() ? _source->Playing() : 0; }

}  // namespace vellum
