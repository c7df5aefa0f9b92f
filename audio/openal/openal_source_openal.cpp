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

Ref<TOpenALSource>& OpenALSourcePool() {
    static auto* pool = new Ref<TOpenALSource>;  // emptied by the driver's Shutdown
    return *pool;
}

std::shared_ptr<TAlOutput>& CurrentOpenALOutput() {
    static auto* output = new std::shared_ptr<TAlOutput>;
    return *output;
}

}  // namespace vellum
