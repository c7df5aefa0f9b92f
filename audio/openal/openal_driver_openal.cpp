#include "openal/openal_driver.h"

#include <cstring>
#include <string>

#include "al/al_output_openal.h"
#include "openal/openal_channel.h"
#include "openal/openal_sound.h"
#include "openal/openal_source.h"

namespace vellum {

namespace {

constexpr int kMaxDevices = 100;

struct EnableState {
    bool ran = false;
    int result = 0;
};

EnableState& Enabled() {
    static EnableState state;
    return state;
}

void DropPool() {
    // One link at a time, so a long pool cannot exhaust the stack.
    Ref<TOpenALSource> next = std::move(OpenALSourcePool());
    while (next) {
        Ref<TOpenALSource> after = std::move(next->_succ);
        next = std::move(after);
    }
}

}  // namespace

Ref<TOpenALAudioDriver> TOpenALAudioDriver::Create(const String& name, const String& devname) {
    auto driver = New<TOpenALAudioDriver>();
    driver->_name = name;
    driver->_devname = devname;
    RegisterAudioDriver(driver);
    return driver;
}

String TOpenALAudioDriver::Name() { return _name; }

int TOpenALAudioDriver::Startup() {
    if (!_devname.empty()) {
        std::string name = ToUtf8(_devname);
        _output = TAlOutput::OpenOrWait({name.c_str()});
    } else if (OpenALInstalled()) {
        _output = TAlOutput::OpenOrWait({nullptr, "Generic Hardware", "Generic Software"});
    }
    if (!_output) return 0;
    Rebuild();
    _output->Track(Self(this), TAlRebuilt::DATA);
    _output->Watch();
    CurrentOpenALOutput() = _output;
    return 1;
}

int TOpenALAudioDriver::WaitingForOutput() { return _output && _output->Lost() ? 1 : 0; }

void TOpenALAudioDriver::Rebuild() {
    TAlContextScope scope(*_output);
    alDistanceModel(AL_NONE);  // no distance attenuation
}

void TOpenALAudioDriver::Shutdown() {
    DropPool();  // sources are deleted while the device is still open
    if (CurrentOpenALOutput() == _output) CurrentOpenALOutput() = nullptr;
    if (_output) _output->Close();
    _output = nullptr;
}

Ref<TSound> TOpenALAudioDriver::CreateSound(const Ref<TAudioSample>& sample, int flags) {
    return TOpenALSound::Create(sample, flags);
}

Ref<TSound> TOpenALAudioDriver::CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) {
    return TOpenALSound::CreateStream(stream, flags);
}

Ref<TChannel> TOpenALAudioDriver::AllocChannel() { return TOpenALChannel::Create(1); }

int OpenALInstalled() { return 1; }

int EnableOpenALAudio() {
    auto& state = Enabled();
    if (state.ran) return state.result;
    state.ran = true;
    if (!OpenALInstalled()) return state.result = 0;

    // Consecutive NUL-terminated names, ended by an empty one.
    const char* names = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
    for (int count = 0; names && *names && count < kMaxDevices; ++count) {
        String name = FromUtf8(names);
        TOpenALAudioDriver::Create(u"OpenAL " + name, name);
        names += std::strlen(names) + 1;
    }
    const char* fallback = alcGetString(nullptr, ALC_DEFAULT_DEVICE_SPECIFIER);
    TOpenALAudioDriver::Create(u"OpenAL Default", fallback ? FromUtf8(fallback) : String());
    return state.result = 1;
}

int CheckOpenALError() { return alGetError() == AL_NO_ERROR ? 1 : 0; }

void InitOpenALDrivers() {
    if (OpenALInstalled()) TOpenALAudioDriver::Create(u"OpenAL", u"");
}

}  // namespace vellum
