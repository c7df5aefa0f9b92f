#include "openal/al_output_openal.h"
#include "audio/openal_sound.h"
#include "audio/openal_source.h"

namespace vellum {

TOpenALSource::~TOpenALSource() {
    if (!_id || !Live()) return;
    TAlContextScope scope(*_output);
    auto id = static_cast<ALuint>(_id);
    alDeleteSources(1, &id);
}

bool TOpenALSource::Live() const { return _output && _output->IsOpen(); }

int TOpenALSource::State() {
    ALint state = AL_STOPPED;
    if (!Live()) return state;  // a closed device plays nothing
    TAlContextScope scope(*_output);
    alGetSourcei(static_cast<ALuint>(_id), AL_SOURCE_STATE, &state);
    return state;
}

int TOpenALSource::Playing() { return State() == AL_PLAYING ? 1 : 0; }

int TOpenALSource::Paused() {
    int state = State();
    return state == AL_PAUSED || state == AL_INITIAL ? 1 : 0;
}

int TOpenALSource::Active() {
    int state = State();
    return state == AL_PLAYING || state == AL_PAUSED || state == AL_INITIAL ? 1 : 0;
}

void TOpenALSource::LogState() {}

Ref<TOpenALSource>& OpenALSourcePool() {
    static auto* pool = new Ref<TOpenALSource>;  // emptied by the driver's Shutdown
    return *pool;
}

std::shared_ptr<TAlOutput>& CurrentOpenALOutput() {
    static auto* output = new std::shared_ptr<TAlOutput>;
    return *output;
}

}  // namespace vellum
