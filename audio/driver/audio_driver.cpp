#include "audio/audio_driver.h"

#include "audio/audio_module.h"
#include "driver/quiet_probe.h"

namespace vellum {

namespace {

struct DriverRegistry {
    Ref<TAudioDriver> head;
    Ref<TAudioDriver> current;
    Ref<TAudioDriver> silent;
};

DriverRegistry& Registry() {
    // Never destroyed: sounds and the exit handler may reach it during exit.
    static auto* registry = new DriverRegistry;
    return *registry;
}

}  // namespace

String TAudioDriver::Name() { return u"Null"; }

int TAudioDriver::Startup() { return 1; }

void TAudioDriver::Shutdown() {}

Ref<TSound> TAudioDriver::CreateSound(const Ref<TAudioSample>&, int) { return New<TSound>(); }

Ref<TSound> TAudioDriver::CreateStreamSound(const std::shared_ptr<TAudioStream>&, int) { return New<TSound>(); }

Ref<TChannel> TAudioDriver::AllocChannel() { return New<TChannel>(); }

Ref<TSound> TAudioDriver::LoadSound(const Ref<TObject>& url, int flags) { return TSound::Load(url, flags); }

void RegisterAudioDriver(Ref<TAudioDriver> driver) {
    if (!driver) return;
    driver->_succ = Registry().head;
    Registry().head = std::move(driver);
}

Ref<TAudioDriver> FirstAudioDriver() { return Registry().head; }

void SetSilentAudioDriver(Ref<TAudioDriver> driver) { Registry().silent = std::move(driver); }

Ref<TAudioDriver> CurrentAudioDriver() {
    InitAudioModule();
    auto& registry = Registry();
    if (!registry.current) {
        HoldStandardError();
        bool soundOn = SetAudioDriver(u"DirectSound");
        ReleaseStandardError(soundOn);
        if (!soundOn) SetAudioDriver(u"Null");
    }
    // Without even a silent driver registered, a fresh silent one stands in.
    if (!registry.current) registry.current = New<TAudioDriver>();
    return registry.current;
}

int SetAudioDriver(const String& name) {
    InitAudioModule();
    auto& registry = Registry();
    String wanted = ToLower(name);
    ShutdownAudioDriver();
    for (auto driver = registry.head; driver; driver = driver->_succ) {
        if (ToLower(driver->Name()) != wanted) continue;
        if (!driver->Startup()) return 0;
        registry.current = driver;
        return 1;
    }
    return 0;
}

int AudioDriverExists(const String& name) {
    String wanted = ToLower(name);
    for (auto driver = Registry().head; driver; driver = driver->_succ)
        if (ToLower(driver->Name()) == wanted) return 1;
    return 0;
}

std::vector<String> AudioDriverNames() {
    std::vector<String> names;
    for (auto driver = Registry().head; driver && names.size() < 100; driver = driver->_succ)
        names.push_back(driver->Name());
    return names;
}

void ShutdownAudioDriver() {
    auto& registry = Registry();
    if (registry.current) registry.current->Shutdown();
    if (registry.current) registry.current = registry.silent;
}

}  // namespace vellum
