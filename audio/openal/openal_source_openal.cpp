#include "al/al_output_openal.h"
#include "streaming/stream_pump_openal.h"
#include "openal/openal_sound.h"
#include "openal/openal_source.h"

namespace vellum {

TOpenALSource::TOpenALSource() = default;

TOpenALSource::~TOpenALSource() { _pump.reset(); }

void TOpenALSource::SetPump(std::unique_ptr<TAlStreamPump> pump) {
    _pump.reset();  // the old thread stops before the new one starts
    _pump = std::move(pump);
}

bool TOpenALSource::Live() const { return _output && _output->IsOpen(); }

int TOpenALSource::State() {
    ALint state = AL_STOPPED;
    if (!Live()) return state;  // a closed device plays nothing
    if (_output->Lost()) {
        switch (_intent) {
            case PLAYING: return _sound && _sound->_loop ? AL_PLAYING : AL_STOPPED;
            case PAUSED: return AL_PAUSED;
            case CUED: return AL_INITIAL;
            default: return AL_STOPPED;
        }
    }
    TAlContextScope scope(*_output);
    alGetSourcei(_id.Id(), AL_SOURCE_STATE, &state);
    return state;
}

// A streamed sound's source can fall silent for a moment while it waits
// for frames, so its pump answers for it.
int TOpenALSource::Playing() {
    if (_pump) return Live() && _pump->Playing() ? 1 : 0;
    return State() == AL_PLAYING ? 1 : 0;
}

int TOpenALSource::Paused() {
    if (_pump) return Live() && !_pump->Playing() && !_pump->Finished() ? 1 : 0;
    int state = State();
    return state == AL_PAUSED || state == AL_INITIAL ? 1 : 0;
}

int TOpenALSource::Active() {
    if (_pump) return Live() && !_pump->Finished() ? 1 : 0;
    int state = State();
    return state == AL_PLAYING || state == AL_PAUSED || state == AL_INITIAL ? 1 : 0;
}

void TOpenALSource::LogState() {}

void TOpenALSource::Apply() {
    ALuint id = _id.Id();
    alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(id, AL_GAIN, _gain);
    alSourcef(id, AL_PITCH, _pitch);
    alSource3f(id, AL_POSITION, _position[0], _position[1], _position[2]);
}

void TOpenALSource::Rebuild() {
    if (!_id) return;
    _id = TAlName::Make(TAlName::SOURCE, _output);
    if (!_id) return;
    Apply();
    ALuint id = _id.Id();
    if (_pump) {
        _pump->Rebind(id);
        return;
    }
    ALint buffer = _sound && _sound->_output == _output ? static_cast<ALint>(_sound->_buffer.Id()) : 0;
    alSourcei(id, AL_LOOPING, _sound && _sound->_loop ? AL_TRUE : AL_FALSE);
    if (_intent == PLAYING && _sound && _sound->_loop) {
        alSourcei(id, AL_BUFFER, buffer);
        alSourcePlay(id);
    } else if (_intent == PAUSED || _intent == CUED) {
        alSourcei(id, AL_BUFFER, buffer);
        if (_intent == PAUSED) alSourcei(id, AL_SAMPLE_OFFSET, _offset);  // taken up at the next play
    } else {
        // Over, like the one-shot sound that was playing: a source with no
        // buffer goes straight to stopped, so it is idle, not cued.
        _intent = IDLE;
        alSourcei(id, AL_BUFFER, 0);
        alSourcePlay(id);
        alSourceStop(id);
        alSourcei(id, AL_BUFFER, buffer);
    }
}

Ref<TOpenALSource>& OpenALSourcePool() {
    static auto* pool = new Ref<TOpenALSource>;  // emptied by the driver's Shutdown
    return *pool;
}

std::shared_ptr<TAlOutput>& CurrentOpenALOutput() {
    static auto* output = new std::shared_ptr<TAlOutput>;
    return *output;
}

}  // namespace vellum
