#include "audio/audio_module.h"

#include "audio/audio_driver.h"
#include "driver/builtin_drivers.h"
#include "driver/quiet_probe.h"
#include "runtime/exit_functions.h"
#include "sample/format_loaders.h"
#include "stream/stream_module.h"

namespace vellum {

void InitAudioModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitStreamModule();

    TAudioSampleLoaderOGG::Create();
    TAudioSampleLoaderWAV::Create();

    auto silent = New<TAudioDriver>();
    RegisterAudioDriver(silent);
    SetSilentAudioDriver(silent);
    HoldStandardError();  // device listing; see quiet_probe.h
    for (const auto& driver : BuiltInAudioDrivers())
        if (!driver.opensDevice) driver.install();
    SetStandardErrorAside();
    for (const auto& driver : BuiltInAudioDrivers())
        if (driver.opensDevice) AddAudioDriverProbe(driver.install);  // only when asked for

    AddExitFunction(ShutdownAudioDriver);
}

}  // namespace vellum
