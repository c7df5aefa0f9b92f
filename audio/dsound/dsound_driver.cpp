#include "dsound/dsound_driver.h"

#include "dsound/dsound_channel.h"
#include "dsound/dsound_sound.h"

namespace vellum {

namespace {

struct DirectSoundState {
    Ref<TDirectSoundAudioDriver> started;
    int generation = 0;
};

DirectSoundState& State() {
    // Never destroyed: sounds still referenced at exit reach it from their destructors.
    static auto* state = new DirectSoundState;
    return *state;
}

}  // namespace

Ref<TDirectSoundAudioDriver> TDirectSoundAudioDriver::Create(const String& name, int mode) {
    auto driver = New<TDirectSoundAudioDriver>();
    driver->_name = name;
    driver->_mode = mode;
    RegisterAudioDriver(driver);
    return driver;
}

String TDirectSoundAudioDriver::Name() { return _name; }

int TDirectSoundAudioDriver::Startup() {
    Ref<TSoundDevice> device;
    if (CreateSoundDevice(&device) < 0) return 0;
    if (device->SetCooperativeLevel(SOUND_COOP_PRIORITY) < 0) {
        device->Release();
        return 0;
    }
    _dsound = device;
    State().started = Self(this);
    return 1;
}

void TDirectSoundAudioDriver::Shutdown() {
    auto& state = State();
    ++state.generation;
    if (state.started.get() == this) state.started = nullptr;
    DropBufList(_lonely);
    if (_dsound) _dsound->Release();
    _dsound = nullptr;
}

int TDirectSoundAudioDriver::WaitingForOutput() { return _dsound && _dsound->Waiting() ? 1 : 0; }

Ref<TSound> TDirectSoundAudioDriver::CreateSound(const Ref<TAudioSample>& sample, int flags) {
    return TDirectSoundSound::Create(sample, flags);
}

Ref<TSound> TDirectSoundAudioDriver::CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags) {
    return TDirectSoundSound::CreateStream(stream, flags);
}

Ref<TChannel> TDirectSoundAudioDriver::AllocChannel() { return TDirectSoundChannel::Create(1); }

void TDirectSoundAudioDriver::FlushLonely() {
    Ref<TBuf>* link = &_lonely;
    while (*link) {
        Ref<TBuf> buf = *link;
        if (buf->Active()) {
            link = &buf->_succ;
            continue;
        }
        buf->Release();
        *link = std::move(buf->_succ);
    }
}

Ref<TDirectSoundAudioDriver> StartedDirectSoundDriver() { return State().started; }

int DirectSoundGeneration() { return State().generation; }

void InitDirectSoundDriver() {
    if (SoundDevicesAvailable()) TDirectSoundAudioDriver::Create(u"DirectSound", 0);
}

}  // namespace vellum
