#pragma once
// TZevaRozazSound: a sound of the software-mixer drivers, a mixer sound
// handle over the mixer's own copy of the samples.

#include "audio/sound.h"

namespace vellum {

class TZevaRozazSound : public TSound {
public:
    explicit TZevaRozazSound(int sound) : fa_sound(sound) {}
    // Frees the mixer sound; voices still playing it finish first.
    ~TZevaRozazSound() override;

    // Start or cue the sound on channel (a new temporary channel when
    // channel is Null). Null for a channel of another driver, or when the
    // mixer cannot start it.
    Ref<TChannel> Play(const Ref<TChannel>& channel) override;
    Ref<TChannel> Cue(const Ref<TChannel>& channel) override;

    int fa_sound = 0;

private:
    Ref<TChannel> Start(const Ref<TChannel>& channel, int cue);
};

}  // namespace vellum
