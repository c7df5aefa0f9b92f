// The platform sound buffers over OpenAL Soft. A buffer is an OpenAL source
// over an OpenAL buffer; a duplicate is a new source over the same buffer.
//
// Sample data is always uploaded as stereo (mono is doubled) and played
// with direct channels, so at pan 0 each channel reaches its own speaker
// at exactly the buffer's volume, as the buffer contract promises.
//
// Pan: OpenAL has no per-speaker gain, so a non-zero pan moves the far
// channel toward the near side instead. With direct channels off, the near
// channel stays at its speaker and the far channel is placed part way
// across, at a position t (0 = its own speaker, pi/2 = the near one) where
// a constant-power pan law gives far = cos t and near = 1 + sin t for mono
// data; t = pi/2 - 2 atan(g) makes far / near the platform's attenuation
// g, and the source gain is scaled by 1 / (1 + sin t) to keep the near
// side at full level. For mono data this matches the platform as closely
// as the library's pan law follows that curve (at full pan exactly: one
// speaker silent, the other unchanged); for stereo data the far channel is
// mixed into the near speaker rather than dropped.

#include <AL/alext.h>

#include <cmath>
#include <cstdlib>

#include "dsound/al_sound_buffer_openal.h"
#include "audio/audio_sample.h"
#include "sample/sample_convert.h"

namespace vellum {

namespace {

constexpr float kHalfPi = 1.57079632679f;

}  // namespace

int TAlSoundBuffer::Make(std::shared_ptr<TAlData> data, const TPcmFormat& format, int flags, int bytes,
                         Ref<TAlSoundBuffer>* made, std::shared_ptr<TAudioStream> stream) {
    auto buffer = New<TAlSoundBuffer>();
    buffer->_stream = std::move(stream);
    buffer->_output = data->output;
    buffer->_data = std::move(data);
    buffer->_format = format;
    buffer->_flags = flags;
    buffer->_bytes = bytes;
    buffer->_hertz = format.samplesPerSec;
    buffer->_source = TAlName::Make(TAlName::SOURCE, buffer->_output);
    if (!buffer->_source) return SOUND_ERR_OUT_OF_MEMORY;
    buffer->Setup();
    buffer->_output->Track(buffer, TAlRebuilt::VOICES);
    *made = buffer;
    return SOUND_OK;
}

void TAlSoundBuffer::Setup() {
    TAlContextScope scope(*_output);
    ALuint source = _source.Id();
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    if (_data->filled) alSourcei(source, AL_BUFFER, static_cast<ALint>(_data->buffer.Id()));
    ApplyGainAndPan();
}

void TAlSoundBuffer::Rebuild() {
    if (!_source) return;
    _source = TAlName::Make(TAlName::SOURCE, _output);
    if (!_source) return;
    Setup();
    ALuint source = _source.Id();
    alSourcef(source, AL_PITCH, static_cast<float>(_hertz) / static_cast<float>(_format.samplesPerSec));
    alSourcei(source, AL_LOOPING, _looping ? AL_TRUE : AL_FALSE);
    if (_stream) {
        if (_pump) _pump->Rebind(source);
        return;
    }
    if (_playing && _looping) {
        alSourcePlay(source);
        return;
    }
    _playing = false;  // a one-shot play is over
    if (_frame > 0) alSourcei(source, AL_SAMPLE_OFFSET, _frame);  // taken up at the next play
}

void TAlData::Rebuild() {
    buffer = TAlName::Make(TAlName::BUFFER, output);
    if (!buffer || !filled) return;
    alBufferData(buffer.Id(), format, bytes.data(), static_cast<ALsizei>(bytes.size()), hertz);
}

int TAlSoundBuffer::Duplicate(Ref<TSoundBuffer>* duplicate) {
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    Ref<TAlSoundBuffer> copy;
    int result = Make(_data, _format, _flags, _bytes, &copy, _stream);
    if (result != SOUND_OK) return result;
    copy->SetVolume(_volume);
    copy->SetPan(_pan);
    copy->SetFrequency(_hertz);
    *duplicate = copy;
    return SOUND_OK;
}

int TAlSoundBuffer::Lock(int offset, int bytes, void** region, int* regionBytes) {
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    if (_stream || offset != 0 || bytes != _bytes || _locked) return SOUND_ERR_INVALID_PARAM;
    int silence = _format.bitsPerSample == 8 ? 128 : 0;
    _staging.assign(static_cast<size_t>(_bytes), static_cast<unsigned char>(silence));
    _locked = true;
    *region = _staging.data();
    *regionBytes = _bytes;
    return SOUND_OK;
}

int TAlSoundBuffer::Unlock(void* region, int) {
    if (!_locked || region != _staging.data()) return SOUND_ERR_INVALID_PARAM;
    _locked = false;
    std::vector<unsigned char> staging = std::move(_staging);
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    return Upload(staging);
}

int TAlSoundBuffer::Play(int flags) {
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    _looping = (flags & SOUND_PLAY_LOOPING) != 0;
    _playing = true;
    if (_stream) {  // the stream loops by itself
        if (!_pump) SetCurrentPosition(0);
        _pump->Play();
        return SOUND_OK;
    }
    TAlContextScope scope(*_output);
    alSourcei(_source.Id(), AL_LOOPING, _looping ? AL_TRUE : AL_FALSE);
    if (State() != AL_PLAYING) alSourcePlay(_source.Id());
    return SOUND_OK;
}

int TAlSoundBuffer::Stop() {
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    _playing = false;
    if (_stream) {
        if (_pump) _pump->Pause();
        return SOUND_OK;
    }
    TAlContextScope scope(*_output);
    if (State() == AL_PLAYING) alSourcePause(_source.Id());  // pausing keeps the position
    if (!_output->Lost()) alGetSourcei(_source.Id(), AL_SAMPLE_OFFSET, &_frame);
    return SOUND_OK;
}

int TAlSoundBuffer::SetCurrentPosition(int offset) {
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    if (_stream) {
        if (offset != 0) return SOUND_ERR_INVALID_PARAM;
        // A voice of its own from the first frame; decoding starts at once.
        _pump.reset();
        int format = _format.bitsPerSample == 8 ? SF_STEREO8 : SF_STEREO16LE;
        _pump = std::make_unique<TAlStreamPump>(_output, _source.Id(), _stream, format);
        return SOUND_OK;
    }
    if (offset < 0 || offset > _bytes) return SOUND_ERR_INVALID_PARAM;
    TAlContextScope scope(*_output);
    int frame = offset / _format.blockAlign;
    _frame = frame;
    if (State() != AL_PLAYING && frame == 0)
        alSourceRewind(_source.Id());
    else
        alSourcei(_source.Id(), AL_SAMPLE_OFFSET, frame);
    return SOUND_OK;
}

int TAlSoundBuffer::SetVolume(int volume) {
    if (volume < -10000 || volume > 0) return SOUND_ERR_INVALID_PARAM;
    _volume = volume;
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    ApplyGainAndPan();
    return SOUND_OK;
}

int TAlSoundBuffer::SetPan(int pan) {
    if (pan < -10000 || pan > 10000) return SOUND_ERR_INVALID_PARAM;
    _pan = pan;
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    ApplyGainAndPan();
    return SOUND_OK;
}

int TAlSoundBuffer::SetFrequency(int hertz) {
    if (hertz == 0) hertz = _format.samplesPerSec;
    if (hertz < 100 || hertz > 200000) return SOUND_ERR_INVALID_PARAM;
    _hertz = hertz;
    if (!_output->IsOpen()) return SOUND_ERR_BUFFER_LOST;
    TAlContextScope scope(*_output);
    alSourcef(_source.Id(), AL_PITCH, static_cast<float>(hertz) / static_cast<float>(_format.samplesPerSec));
    return SOUND_OK;
}

// A closed device leaves its buffers silent, not failing.
int TAlSoundBuffer::GetStatus(int* status) {
    *status = 0;
    if (!_output->IsOpen()) return SOUND_OK;
    if (_stream) {
        if (_pump && _pump->Playing()) *status = SOUND_STATUS_PLAYING | (_looping ? SOUND_STATUS_LOOPING : 0);
        return SOUND_OK;
    }
    TAlContextScope scope(*_output);
    if (State() == AL_PLAYING) *status = SOUND_STATUS_PLAYING | (_looping ? SOUND_STATUS_LOOPING : 0);
    return SOUND_OK;
}

int TAlSoundBuffer::GetVolume(int* volume) {
    *volume = _volume;
    return SOUND_OK;
}

int TAlSoundBuffer::GetPan(int* pan) {
    *pan = _pan;
    return SOUND_OK;
}

int TAlSoundBuffer::GetFrequency(int* hertz) {
    *hertz = _hertz;
    return SOUND_OK;
}

// The library stops every source of a lost device: while it is lost, the
// buffer is what the program left it as.
ALint TAlSoundBuffer::State() const {
    ALint state = AL_STOPPED;
    if (_output->Lost()) return _playing && _looping ? AL_PLAYING : AL_STOPPED;
    alGetSourcei(_source.Id(), AL_SOURCE_STATE, &state);
    return state;
}

int TAlSoundBuffer::Upload(const std::vector<unsigned char>& bytes) {
    bool eight = _format.bitsPerSample == 8;
    int frames = _bytes / _format.blockAlign;
    std::vector<unsigned char> stereo;
    const unsigned char* data = bytes.data();
    if (_format.channels == 1) {
        stereo.resize(static_cast<size_t>(frames) * (eight ? 2 : 4));
        ConvertSampleFrames(data, eight ? SF_MONO8 : SF_MONO16LE, stereo.data(), eight ? SF_STEREO8 : SF_STEREO16LE,
                            frames);
        data = stereo.data();
    }
    TAlContextScope scope(*_output);
    alGetError();
    alSourcei(_source.Id(), AL_BUFFER, 0);
    _data->format = eight ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
    _data->hertz = _format.samplesPerSec;
    alBufferData(_data->buffer.Id(), _data->format, data, frames * (eight ? 2 : 4), _data->hertz);
    if (alGetError() != AL_NO_ERROR) return SOUND_ERR_GENERIC;
    _data->bytes.assign(data, data + static_cast<size_t>(frames) * (eight ? 2 : 4));
    _data->filled = true;
    alSourcei(_source.Id(), AL_BUFFER, static_cast<ALint>(_data->buffer.Id()));
    return SOUND_OK;
}

void TAlSoundBuffer::ApplyGainAndPan() {
    TAlContextScope scope(*_output);
    // -10000 is silence; above it, hundredths of a decibel.
    float gain = _volume <= -10000 ? 0.0f : std::pow(10.0f, static_cast<float>(_volume) / 2000.0f);
    if (_pan == 0) {
        alSourcei(_source.Id(), AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcef(_source.Id(), AL_GAIN, gain);
        return;
    }
    float farGain = std::pow(10.0f, -static_cast<float>(std::abs(_pan)) / 2000.0f);
    float t = kHalfPi - 2.0f * std::atan(farGain);
    float farAngle = kHalfPi - 2.0f * t;  // from its own side toward the other
    // Angles run counter-clockwise: left channel first, positive is left.
    ALfloat angles[2] = {kHalfPi, -kHalfPi};
    if (_pan > 0)
        angles[0] = farAngle;
    else
        angles[1] = -farAngle;
    alSourcei(_source.Id(), AL_DIRECT_CHANNELS_SOFT, AL_FALSE);
    alSourcefv(_source.Id(), AL_STEREO_ANGLES, angles);
    alSourcef(_source.Id(), AL_GAIN, gain / (1.0f + std::sin(t)));
}

}  // namespace vellum
