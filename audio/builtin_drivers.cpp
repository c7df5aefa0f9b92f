#include "driver/builtin_drivers.h"

#include "dsound/dsound_driver.h"
#include "mixer/zevarozaz_driver.h"
#include "openal/openal_driver.h"

namespace vellum {

std::span<const TBuiltInAudioDriver> BuiltInAudioDrivers() {
    static constexpr TBuiltInAudioDriver drivers[] = {
        {InitDirectSoundDriver, false},
        {InitOpenALDrivers, false},
        {RegisterMixerDrivers, true},
    };
    return drivers;
}

}  // namespace vellum
