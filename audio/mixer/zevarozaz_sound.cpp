#include "mixer/zevarozaz_sound.h"

#include "mixer/mixer.h"
#include "mixer/zevarozaz_channel.h"

namespace vellum {

TZevaRozazSound::~TZevaRozazSound() { MixerFreeSound(fa_sound); }

Ref<TChannel> TZevaRozazSound::Play(const Ref<TChannel>& channel) { return Start(channel, 0); }

Ref<TChannel> TZevaRozazSound::Cue(const Ref<TChannel>& channel) { return Start(channel, 1); }

Ref<TChannel> TZevaRozazSound::Start(const Ref<TChannel>& channel, int cue) {
    auto mine = Cast<TZevaRozazChannel>(channel);
    if (channel && !mine) return nullptr;
    int handle = mine ? mine->fa_channel : 0;
    int played = MixerPlaySound(fa_sound, cue, handle);
    if (!played) return nullptr;
    if (mine && played == handle) return mine;
    return New<TZevaRozazChannel>(played);
}

}  // namespace vellum
