#include "mixer/zevarozaz_channel.h"

#include "mixer/mixer.h"

namespace vellum {

TZevaRozazChannel::~TZevaRozazChannel() {
    if (fa_channel) MixerFreeChannel(fa_channel);
}

int TZevaRozazChannel::Stop() {
    if (!fa_channel) return 0;
    MixerStopChannel(fa_channel);
    // A channel the program allocated keeps its slot through the stop;
    // the handle is about to be forgotten, so the slot goes back now.
    MixerFreeChannel(fa_channel);
    fa_channel = 0;
    return 1;
}

int TZevaRozazChannel::SetPaused(int paused) { return MixerSetPaused(fa_channel, paused); }

int TZevaRozazChannel::SetVolume(float volume) { return MixerSetVolume(fa_channel, volume); }

int TZevaRozazChannel::SetPan(float pan) { return MixerSetPan(fa_channel, pan); }

int TZevaRozazChannel::SetDepth(float depth) { return MixerSetDepth(fa_channel, depth); }

int TZevaRozazChannel::SetRate(float rate) { return MixerSetRate(fa_channel, rate); }

int TZevaRozazChannel::Playing() {
    int status = MixerChannelStatus(fa_channel);
    return status != 0 && !(status & (MIXER_DONE | MIXER_PAUSED)) ? 1 : 0;
}

int TZevaRozazChannel::Position() { return MixerChannelPosition(fa_channel); }

}  // namespace vellum
