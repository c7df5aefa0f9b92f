#pragma once
// TZevaRozazChannel: a channel of the software-mixer drivers, a mixer
// channel handle (0 when it has none).

#include "audio/sound.h"

namespace vellum {

class TZevaRozazChannel : public TChannel {
public:
    explicit TZevaRozazChannel(int handle) : fa_channel(handle) {}
    // Gives the handle back to the mixer; a voice still playing finishes.
    ~TZevaRozazChannel() override;

    // Stops the voice and gives the handle back; the channel then has none.
    int Stop() override;
    int SetPaused(int paused) override;
    // Volume 1 is full; pan -1 silences the right side, 1 the left.
    int SetVolume(float volume) override;
    int SetPan(float pan) override;
    int SetDepth(float depth) override;
    // Rate 1 plays the sound at its own sample rate.
    int SetRate(float rate) override;
    // 1 while the voice has a sound that is neither paused nor played out.
    int Playing() override;
    // The play position in frames of the sound.
    int Position();

    int fa_channel = 0;
};

}  // namespace vellum
