#include "al/al_output_openal.h"

#include <AL/alext.h>
#include <AL/efx.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "al/al_name.h"
#include "al/loopback_player.h"
#include "audio/audio_sample.h"
#include "driver/output_watch.h"

namespace vellum {

namespace {

constexpr int kStandInHertz = 44100;

// alcSetThreadContext and alcGetThreadContext, where the library offers
// per-thread contexts.
PFNALCSETTHREADCONTEXTPROC SetThreadContextFunction() {
    static PFNALCSETTHREADCONTEXTPROC function =
        alcIsExtensionPresent(nullptr, "ALC_EXT_thread_local_context")
            ? reinterpret_cast<PFNALCSETTHREADCONTEXTPROC>(alcGetProcAddress(nullptr, "alcSetThreadContext"))
            : nullptr;
    return function;
}

PFNALCGETTHREADCONTEXTPROC GetThreadContextFunction() {
    static PFNALCGETTHREADCONTEXTPROC function =
        alcIsExtensionPresent(nullptr, "ALC_EXT_thread_local_context")
            ? reinterpret_cast<PFNALCGETTHREADCONTEXTPROC>(alcGetProcAddress(nullptr, "alcGetThreadContext"))
            : nullptr;
    return function;
}

bool ThreadContexts() { return SetThreadContextFunction() && GetThreadContextFunction(); }

// No voice here feeds an effect, and each auxiliary send costs memory in
// every voice the library sets aside.
ALCcontext* CreateContext(ALCdevice* device, std::initializer_list<ALCint> format) {
    std::vector<ALCint> attributes(format);
    attributes.insert(attributes.end(), {ALC_MAX_AUXILIARY_SENDS, 0, 0});
    ALCcontext* context = alcCreateContext(device, attributes.data());
    if (!context) {
        attributes.erase(attributes.end() - 3, attributes.end());
        attributes.push_back(0);
        context = alcCreateContext(device, attributes.size() > 1 ? attributes.data() : nullptr);
    }
    return context;
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

TAlOutput::Device TAlOutput::OpenDevice() const {
    Device opened;
    for (const auto& name : _names) {
        opened.device = alcOpenDevice(name ? name->c_str() : nullptr);
        if (opened.device) break;
    }
    if (!opened.device) return {};
    opened.context = CreateContext(opened.device, {});
    if (!opened.context) CloseDevice(opened);
    return opened;
}

// A loopback device that nobody renders: objects can be made and set as
// on any other, and nothing is heard or moves on.
TAlOutput::Device TAlOutput::OpenStandIn() {
    auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    Device standIn;
    standIn.standIn = true;
    standIn.device = open ? open(nullptr) : nullptr;
    if (!standIn.device) return {};
    standIn.context = CreateContext(standIn.device, {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                                     ALC_SHORT_SOFT, ALC_FREQUENCY, kStandInHertz});
    if (!standIn.context) CloseDevice(standIn);
    return standIn;
}

void TAlOutput::CloseDevice(Device& device) {
    if (device.context) {
        if (alcGetCurrentContext() == device.context) alcMakeContextCurrent(nullptr);
        alcDestroyContext(device.context);  // the context goes before its device
    }
    if (device.device) alcCloseDevice(device.device);
    device = {};
}

std::shared_ptr<TAlOutput> TAlOutput::Open(std::initializer_list<const char*> names) {
    std::shared_ptr<TAlOutput> output(new TAlOutput);
    for (const char* name : names) output->_names.push_back(name ? std::optional<std::string>(name) : std::nullopt);
    output->_device = output->OpenDevice();
    if (!output->_device.context) return nullptr;
    output->_current.store(output->_device.context, std::memory_order_release);
    alcMakeContextCurrent(output->_device.context);
    return output;
}

std::shared_ptr<TAlOutput> TAlOutput::OpenOrWait(std::initializer_list<const char*> names) {
    if (auto output = Open(names)) return output;
    std::shared_ptr<TAlOutput> output(new TAlOutput);
    for (const char* name : names) output->_names.push_back(name ? std::optional<std::string>(name) : std::nullopt);
    output->_device = OpenStandIn();
    if (!output->_device.context) return nullptr;
    output->_current.store(output->_device.context, std::memory_order_release);
    output->_lost.store(true, std::memory_order_release);
    output->Watch();
    return output;
}

TAlOutput::~TAlOutput() { Close(); }

void TAlOutput::Watch() {
    if (_watch || !IsOpen()) return;
    TOutputWatch::Hooks hooks;
    hooks.present = [this] {
        bool connected = Connected();
        if (!connected) _lost.store(true, std::memory_order_release);
        return connected;
    };
    hooks.reopen = [this] { return Reopen(); };
    _watch = std::make_unique<TOutputWatch>(std::move(hooks), Lost());
}

void TAlOutput::Close() {
    _watch.reset();   // waits for a device being opened
    _player.reset();  // no pull renders the stand-in once it closes
    std::lock_guard lock(_lock);
    _current.store(nullptr, std::memory_order_release);
    CloseDevice(_device);
    _tracked.clear();
}

bool TAlOutput::Lost() const { return _lost.load(std::memory_order_acquire); }

// Only the watch swaps devices, so its own reads need no lock.
bool TAlOutput::Connected() {
    if (_device.standIn) return _player && _player->Playing();
    if (!_device.device) return false;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(_device.device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

bool TAlOutput::Reopen() {
    Device fresh = OpenDevice();  // the slow part, with nothing held
    if (!fresh.context) return PlayStandIn();
    Device old;
    std::vector<std::shared_ptr<TAlRebuilt>> objects[2];
    {
        std::lock_guard lock(_lock);
        old = _device;
        _device = fresh;
        _current.store(fresh.context, std::memory_order_release);
        _generation.fetch_add(1, std::memory_order_acq_rel);
        for (const Tracked& tracked : _tracked)
            if (auto object = tracked.object.lock()) objects[tracked.stage].push_back(std::move(object));
        TAlContextScope scope(*this);
        for (auto& stage : objects)
            for (auto& object : stage) object->Rebuild();
        _lost.store(false, std::memory_order_release);
    }
    _player.reset();   // the stand-in is heard no more...
    CloseDevice(old);  // ...and frees what was made on it
    return true;
}

bool TAlOutput::PlayStandIn() {
    if (!_device.standIn) return false;
    _player.reset();  // one whose output went away
    _player = TLoopbackPlayer::Start(_device.device, kStandInHertz);
    if (!_player) return false;
    _lost.store(false, std::memory_order_release);
    return true;
}

bool TAlOutput::HasExtension(const char* name) const {
    if (!IsOpen()) return false;
    TAlContextScope scope(*this);
    return alIsExtensionPresent(name) == AL_TRUE;
}

void TAlOutput::Track(std::weak_ptr<TAlRebuilt> object, TAlRebuilt::Stage stage) {
    std::lock_guard lock(_lock);
    if (_tracked.size() >= _pruneAt) {
        std::erase_if(_tracked, [](const Tracked& t) { return t.object.expired(); });
        _pruneAt = std::max<size_t>(64, 2 * _tracked.size());
    }
    _tracked.push_back({std::move(object), stage});
}

TAlContextScope::TAlContextScope(const TAlOutput& output) : _lock(output._lock) {
    ALCcontext* context = output.Context();
    if (ThreadContexts()) {
        _previous = GetThreadContextFunction()();
        if (context && _previous != context) _switched = SetThreadContextFunction()(context) == ALC_TRUE;
    } else {
        _previous = alcGetCurrentContext();
        if (context && _previous != context) _switched = alcMakeContextCurrent(context) == ALC_TRUE;
    }
}

TAlContextScope::~TAlContextScope() {
    if (!_switched) return;
    if (ThreadContexts())
        SetThreadContextFunction()(_previous);
    else
        alcMakeContextCurrent(_previous);
}

TAlThreadScope::TAlThreadScope(TAlOutput& output) : _lock(output._lock, std::try_to_lock) {
    if (!_lock.owns_lock() || !output.IsOpen() || !ThreadContexts()) return;
    _previous = GetThreadContextFunction()();
    _bound = SetThreadContextFunction()(output.Context()) == ALC_TRUE;
}

TAlThreadScope::~TAlThreadScope() {
    if (_bound) SetThreadContextFunction()(_previous);
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
    name._generation = output->Generation();
    name._output = std::move(output);
    return name;
}

TAlName::TAlName(TAlName&& other) noexcept
    : _kind(other._kind),
      _id(std::exchange(other._id, 0)),
      _generation(other._generation),
      _output(std::move(other._output)) {}

TAlName& TAlName::operator=(TAlName&& other) noexcept {
    if (this != &other) {
        Reset();
        _kind = other._kind;
        _id = std::exchange(other._id, 0);
        _generation = other._generation;
        _output = std::move(other._output);
    }
    return *this;
}

void TAlName::Reset() {
    ALuint id = std::exchange(_id, 0);
    std::shared_ptr<TAlOutput> output = std::move(_output);
    if (!id || !output->IsOpen()) return;
    TAlContextScope scope(*output);
    // A device swapped in since has none of the old one's objects.
    if (output->Generation() != _generation) return;
    if (_kind == SOURCE)
        alDeleteSources(1, &id);
    else
        alDeleteBuffers(1, &id);
}

}  // namespace vellum
