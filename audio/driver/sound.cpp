#include "audio/sound.h"

#include "audio/audio_driver.h"
#include "audio/sample_loader.h"
#include "sample/audio_stream.h"
#include "stream/stream.h"

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
    if ((flags & SOUND_STREAM) && !Cast<TAudioSample>(url) && !Cast<TStream>(url)) {
        auto stream = TAudioStream::Open(url, (flags & SOUND_LOOP) != 0);
        return stream ? CurrentAudioDriver()->CreateStreamSound(stream, flags) : nullptr;
    }
    Ref<TAudioSample> sample = Cast<TAudioSample>(url);
    if (!sample) sample = LoadAudioSample(url);
    if (!sample) return nullptr;
    return CurrentAudioDriver()->CreateSound(sample, flags);
}

}  // namespace vellum
