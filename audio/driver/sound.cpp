#include "audio/sound.h"

#include "audio/audio_driver.h"
#include "audio/sample_loader.h"

namespace vellum {

int TChannel::Stop() { return 0; }
int TChannel::SetPaused(int) { return 0; }
int TChannel::SetVolume(float) { return 0; }
int TChannel::SetPan(float) { return 0; }
int TChannel::SetDepth(float) { return 0; }
int TChannel::SetRate(float) { return 0; }
int TChannel::Playing() { return 0; }

Ref<TChannel> TSound::Play(const Ref<TChannel>&) { return New<TChannel>(); }

Ref<TChannel> TSound::Cue(const Ref<TChannel>&) { return New<TChannel>(); }

Ref<TSound> TSound::Load(const Ref<TObject>& url, int flags) {
    Ref<TAudioSample> sample = Cast<TAudioSample>(url);
    if (!sample) sample = LoadAudioSample(url);
    if (!sample) return nullptr;
    return CurrentAudioDriver()->CreateSound(sample, flags);
}

}  // namespace vellum
