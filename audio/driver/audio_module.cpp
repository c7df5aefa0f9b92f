#include "audio/audio_module.h"

#include "audio/audio_driver.h"
#include "audio/dsound_driver.h"
#include "audio/ogg_loader.h"
#include "audio/openal_driver.h"
#include "audio/wav_loader.h"
#include "audio/zevarozaz_driver.h"
#include "driver/quiet_probe.h"
#include "runtime/exit_functions.h"
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
    InitDirectSoundDriver();
    InitOpenALDrivers();
    SetStandardErrorAside();
    AddAudioDriverProbe(RegisterMixerDrivers);  // opens devices: only when asked for

    AddExitFunction(ShutdownAudioDriver);
}

}  // namespace vellum
