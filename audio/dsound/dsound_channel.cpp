#include "dsound/dsound_channel.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "dsound/dsound_driver.h"

namespace vellum {

namespace {

// Truncates toward zero; NaN gives 0 and values beyond int saturate.
int TruncToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483520.0f) return INT_MAX;
    if (value <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

TDirectSoundChannel::~TDirectSoundChannel() {
    if (Valid() && _buf->_paused == 1) TDirectSoundChannel::Stop();
}

Ref<TDirectSoundChannel> TDirectSoundChannel::Create(int isStatic) {
    auto channel = New<TDirectSoundChannel>();
    channel->_static = isStatic;
    return channel;
}

bool TDirectSoundChannel::Valid() const { return _buf && _buf->_buffer && _seq == _buf->_seq; }

int TDirectSoundChannel::BufferVolume() const { return TruncToInt((1.0f - _volume) * -10000.0f); }

int TDirectSoundChannel::BufferPan() const { return TruncToInt(_pan * 10000.0f); }

int TDirectSoundChannel::BufferFrequency() const { return TruncToInt(static_cast<float>(_hertz) * _rate); }

int TDirectSoundChannel::Cue(const Ref<TDirectSoundSound>& sound) {
    Stop();
    Ref<TBuf> buf;
    for (TBuf* candidate = sound->_bufs.get(); candidate; candidate = candidate->_succ.get()) {
        if (!candidate->Active()) {
            buf = Self(candidate);
            ++buf->_seq;  // whatever channel used it before goes stale
            break;
        }
    }
    if (!buf) {
        auto driver = StartedDirectSoundDriver();
        if (!driver) return 0;
        driver->FlushLonely();
        Ref<TSoundBuffer> duplicate;
        if (driver->_dsound->DuplicateSoundBuffer(sound->_buffer, &duplicate) < 0) return 0;
        buf = TBuf::Create(duplicate);
        buf->_succ = std::move(sound->_bufs);
        sound->_bufs = buf;
    }

    _sound = sound;
    _buf = buf;
    _seq = buf->_seq;
    _hertz = sound->_hertz;
    _playFlags = sound->_loop ? SOUND_PLAY_LOOPING : 0;

    buf->_paused = 1;
    TSoundBuffer& buffer = *buf->_buffer;
    buffer.SetCurrentPosition(0);
    buffer.SetVolume(BufferVolume());
    buffer.SetPan(BufferPan());
    buffer.SetFrequency(BufferFrequency());
    return 1;
}

int TDirectSoundChannel::Stop() {
    if (!Valid()) return 0;
    _buf->_buffer->Stop();
    _buf->_paused = 0;
    ++_buf->_seq;
    _buf = nullptr;
    return 1;
}

int TDirectSoundChannel::SetPaused(int paused) {
    if (!Valid()) return 0;
    if (!_buf->Active()) {
        // The sound ran to its end: the buffer is free for the next Cue.
        ++_buf->_seq;
        _buf = nullptr;
        return 0;
    }
    if (paused)
        _buf->_buffer->Stop();
    else
        _buf->_buffer->Play(_playFlags);
    _buf->_paused = paused ? 1 : 0;
    return 1;
}

int TDirectSoundChannel::SetVolume(float volume) {
    _volume = std::pow(std::clamp(volume, 0.0f, 1.0f), 0.1f);
    if (!Valid()) return 0;
    _buf->_buffer->SetVolume(BufferVolume());
    return 1;
}

int TDirectSoundChannel::SetPan(float pan) {
    float q = std::clamp(pan, -1.0f, 1.0f);
    float sign = q > 0.0f ? 1.0f : (q < 0.0f ? -1.0f : 0.0f);
    _pan = sign * (1.0f - std::pow(1.0f - std::fabs(q), 0.1f));
    if (!Valid()) return 0;
    _buf->_buffer->SetPan(BufferPan());
    return 1;
}

int TDirectSoundChannel::SetDepth(float) { return 0; }

int TDirectSoundChannel::SetRate(float rate) {
    _rate = rate;
    if (!Valid()) return 0;
    _buf->_buffer->SetFrequency(BufferFrequency());
    return 1;
}

int TDirectSoundChannel::Playing() { return Valid() ? _buf->Playing() : 0; }

}  // namespace vellum
