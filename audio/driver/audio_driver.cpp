#include "audio/audio_driver.h"

#include <utility>
#include <vector>

#include "audio/audio_module.h"
#include "driver/quiet_probe.h"
#include "runtime/loader_chain.h"

namespace vellum {

namespace {

struct DriverRegistry {
    Ref<TAudioDriver> current;
    Ref<TAudioDriver> silent;
    std::vector<void (*)()> probes;  // not yet run
};

DriverRegistry& Registry() {
    // Never destroyed: sounds and the exit handler may reach it during exit.
    static auto* registry = new DriverRegistry;
    return *registry;
}

TLoaderChain<TAudioDriver>& Chain() { return ModuleChain<TAudioDriver, InitAudioModule>(); }

// Registers the drivers that had to open a device to know they exist. Their
// output on standard error is held like that of the first choice of driver.
void RunProbes() {
    auto probes = std::exchange(Registry().probes, {});
    if (probes.empty()) return;
    HoldStandardError();
    for (auto probe : probes) probe();
    SetStandardErrorAside();
    if (Registry().current) ReleaseStandardError(true);  // the choice is made: nothing to hide it for
}

Ref<TAudioDriver> FindRegistered(const String& name) {
    String wanted = ToLower(name);
    for (auto driver = Chain().First(); driver; driver = driver->_succ)
        if (ToLower(driver->Name()) == wanted) return driver;
    return nullptr;
}

// The driver of that name, running the device probes only when no
// registered driver has it.
Ref<TAudioDriver> Find(const String& name) {
    if (auto driver = FindRegistered(name)) return driver;
    RunProbes();
    return FindRegistered(name);
}

}  // namespace

String TAudioDriver::Name() { return u"Null"; }

int TAudioDriver::Startup() { return 1; }

void TAudioDriver::Shutdown() {}

int TAudioDriver::WaitingForOutput() { return 0; }

Ref<TSound> TAudioDriver::CreateSound(const Ref<TAudioSample>&, int) { return New<TSound>(); }

Ref<TSound> TAudioDriver::CreateStreamSound(const std::shared_ptr<TAudioStream>&, int) { return New<TSound>(); }

Ref<TChannel> TAudioDriver::AllocChannel() { return New<TChannel>(); }

Ref<TSound> TAudioDriver::LoadSound(const Ref<TObject>& url, int flags) { return TSound::Load(url, flags); }

void RegisterAudioDriver(Ref<TAudioDriver> driver) { Chain().Register(std::move(driver)); }

void AddAudioDriverProbe(void (*probe)()) {
    InitAudioModule();
    if (probe) Registry().probes.push_back(probe);
}

Ref<TAudioDriver> FirstAudioDriver() {
    RunProbes();
    return Chain().First();
}

void SetSilentAudioDriver(Ref<TAudioDriver> driver) { Registry().silent = std::move(driver); }

Ref<TAudioDriver> CurrentAudioDriver() {
    InitAudioModule();
    auto& registry = Registry();
    if (!registry.current) {
        HoldStandardError();
        bool started = SetAudioDriver(u"DirectSound");
        // Started without a device, it plays once one appears: sound is off until then.
        ReleaseStandardError(started && !registry.current->WaitingForOutput());
        if (!started) SetAudioDriver(u"Null");
    }
    // Without even a silent driver registered, a fresh silent one stands in.
    if (!registry.current) registry.current = New<TAudioDriver>();
    return registry.current;
}

int SetAudioDriver(const String& name) {
    InitAudioModule();
    ShutdownAudioDriver();
    auto driver = Find(name);
    if (!driver || !driver->Startup()) return 0;
    Registry().current = driver;
    return 1;
}

int AudioDriverExists(const String& name) { return Find(name) ? 1 : 0; }

std::vector<String> AudioDriverNames() {
    std::vector<String> names;
    for (auto driver = FirstAudioDriver(); driver && names.size() < 100; driver = driver->_succ)
        names.push_back(driver->Name());
    return names;
}

void ShutdownAudioDriver() {
    auto& registry = Registry();
    if (registry.current) registry.current->Shutdown();
    if (registry.current) registry.current = registry.silent;
}

}  // namespace vellum
