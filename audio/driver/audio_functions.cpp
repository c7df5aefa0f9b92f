#include "audio/audio_functions.h"

#include "audio/audio_driver.h"

namespace vellum {

Ref<TSound> LoadSound(const Ref<TObject>& url, int flags) { return CurrentAudioDriver()->LoadSound(url, flags); }

Ref<TSound> LoadSound(const String& url, int flags) { return LoadSound(BoxString(url), flags); }

Ref<TChannel> PlaySound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
    return sound ? sound->Play(channel) : nullptr;
}

Ref<TChannel> CueSound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
    return sound ? sound->Cue(channel) : nullptr;
}

Ref<TChannel> AllocChannel() { return CurrentAudioDriver()->AllocChannel(); }

void StopChannel(const Ref<TChannel>& channel) {
    if (channel) channel->Stop();
}

int ChannelPlaying(const Ref<TChannel>& channel) { return channel ? channel->Playing() : 0; }

void SetChannelVolume(const Ref<TChannel>& channel, float volume) {
    if (channel) channel->SetVolume(volume);
}

void SetChannelPan(const Ref<TChannel>& channel, float pan) {
    if (channel) channel->SetPan(pan);
}

void SetChannelDepth(const Ref<TChannel>& channel, float depth) {
    if (channel) channel->SetDepth(depth);
}

void SetChannelRate(const Ref<TChannel>& channel, float rate) {
    if (channel) channel->SetRate(rate);
}

void PauseChannel(const Ref<TChannel>& channel) {
    if (channel) channel->SetPaused(1);
}

void ResumeChannel(const Ref<TChannel>& channel) {
    if (channel) channel->SetPaused(0);
}

}  // namespace vellum
