#include "al/al_output_openal.h"

#include <AL/alext.h>
#include <AL/efx.h>

#include <mutex>
#include <utility>

#include "al/al_name.h"
#include "audio/audio_sample.h"

namespace vellum {

namespace {

// alcSetThreadContext, where the library offers per-thread contexts.
PFNALCSETTHREADCONTEXTPROC ThreadContextFunction() {
    static PFNALCSETTHREADCONTEXTPROC function =
        alcIsExtensionPresent(nullptr, "ALC_EXT_thread_local_context")
            ? reinterpret_cast<PFNALCSETTHREADCONTEXTPROC>(alcGetProcAddress(nullptr, "alcSetThreadContext"))
            : nullptr;
    return function;
}

}  // namespace

ALenum AlFormatOf(int sampleFormat) {
    switch (sampleFormat) {
        case SF_MONO8: return AL_FORMAT_MONO8;
        case SF_MONO16LE: return AL_FORMAT_MONO16;
        case SF_STEREO8: return AL_FORMAT_STEREO8;
        case SF_STEREO16LE: return AL_FORMAT_STEREO16;
        default: return 0;
    }
}

void TAlOutput::ContextDestroyer::operator()(ALCcontext* context) const {
    if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
}

std::shared_ptr<TAlOutput> TAlOutput::Open(std::initializer_list<const char*> names) {
    std::shared_ptr<TAlOutput> output(new TAlOutput);
    for (const char* name : names) {
        output->_device.reset(alcOpenDevice(name));
        if (output->_device) break;
    }
    if (!output->_device) return nullptr;
    // No voice here feeds an effect, and each auxiliary send costs memory
    // in every voice the library sets aside.
    const ALCint attributes[] = {ALC_MAX_AUXILIARY_SENDS, 0, 0};
    output->_context.reset(alcCreateContext(output->_device.get(), attributes));
    if (!output->_context) output->_context.reset(alcCreateContext(output->_device.get(), nullptr));
    if (!output->_context) return nullptr;  // the destructor closes the device
    alcMakeContextCurrent(output->_context.get());
    return output;
}

TAlOutput::~TAlOutput() { Close(); }

void TAlOutput::Close() {
    std::unique_lock lock(_closing);
    _context.reset();  // the context goes before its device
    _device.reset();
}

bool TAlOutput::HasExtension(const char* name) const {
    if (!IsOpen()) return false;
    TAlContextScope scope(*this);
    return alIsExtensionPresent(name) == AL_TRUE;
}

TAlContextScope::TAlContextScope(const TAlOutput& output) {
    _previous = alcGetCurrentContext();
    if (output.Context() && _previous != output.Context()) {
        alcMakeContextCurrent(output.Context());
        _switched = true;
    }
}

TAlContextScope::~TAlContextScope() {
    if (_switched) alcMakeContextCurrent(_previous);
}

TAlThreadScope::TAlThreadScope(TAlOutput& output) : _lock(output._closing) {
    auto setThreadContext = ThreadContextFunction();
    _bound = output.IsOpen() && setThreadContext && setThreadContext(output.Context()) == ALC_TRUE;
}

TAlThreadScope::~TAlThreadScope() {
    if (_bound) ThreadContextFunction()(nullptr);
}

TAlName TAlName::Make(Kind kind, std::shared_ptr<TAlOutput> output) {
    TAlName name;
    if (!output || !output->IsOpen()) return name;
    TAlContextScope scope(*output);
    alGetError();
    ALuint id = 0;
    if (kind == SOURCE)
        alGenSources(1, &id);
    else
        alGenBuffers(1, &id);
    if (alGetError() != AL_NO_ERROR) return name;
    name._kind = kind;
    name._id = id;
    name._output = std::move(output);
    return name;
}

TAlName::TAlName(TAlName&& other) noexcept
    : _kind(other._kind), _id(std::exchange(other._id, 0)), _output(std::move(other._output)) {}

TAlName& TAlName::operator=(TAlName&& other) noexcept {
    if (this != &other) {
        Reset();
        _kind = other._kind;
        _id = std::exchange(other._id, 0);
        _output = std::move(other._output);
    }
    return *this;
}

void TAlName::Reset() {
    ALuint id = std::exchange(_id, 0);
    std::shared_ptr<TAlOutput> output = std::move(_output);
    if (!id || !output->IsOpen()) return;
    TAlContextScope scope(*output);
    if (_kind == SOURCE)
        alDeleteSources(1, &id);
    else
        alDeleteBuffers(1, &id);
}

}  // namespace vellum
