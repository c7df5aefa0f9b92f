#include "mixer/mixer_voice.h"

#include <algorithm>

#include "audio/mixer.h"

namespace vellum {

namespace {

// Linear interpolation between a and b at frac / 65536; exact at frac 0.
inline int Lerp(int a, int b, std::uint32_t frac) {
    return a + static_cast<int>((static_cast<std::int64_t>(b - a) * frac) >> 16);
}

void Finish(TMixerVoice& voice) {
    voice.position = static_cast<std::uint64_t>(voice.sound->length) << 16;
    voice.status |= MIXER_DONE;
    voice.dirty = true;
    DropVoiceSound(voice);
}

// The mixing loop for one channel layout; returns false when the sound ran out.
template <int Channels>
bool MixFrames(TMixerVoice& voice, std::int32_t* accum, int frames) {
    const TMixerSoundData& sound = *voice.sound;
    const std::int16_t* data = sound.samples.data();
    const std::uint32_t length = static_cast<std::uint32_t>(sound.length);
    const std::uint64_t end = static_cast<std::uint64_t>(length) << 16;
    const std::uint64_t step = MixerVoiceStep(voice.rate, sound.hertz);
    int left, right;
    MixerPanGains(voice.volume, voice.pan, &left, &right);
    std::uint64_t position = voice.position;
    for (int i = 0; i < frames; ++i) {
        if (position >= end) {
            if (!sound.loop) {
                voice.position = position;
                return false;
            }
            position %= end;  // keeps the fraction, so the loop point is seamless
        }
        const std::uint32_t index = static_cast<std::uint32_t>(position >> 16);
        const std::uint32_t frac = static_cast<std::uint32_t>(position & 0xFFFF);
        // Past the last frame: a loop runs on into its first, a one-shot holds.
        const std::uint32_t next = index + 1 < length ? index + 1 : (sound.loop ? 0 : index);
        int l = Lerp(data[index * Channels], data[next * Channels], frac);
        int r = Channels == 2 ? Lerp(data[index * Channels + 1], data[next * Channels + 1], frac) : l;
        accum[2 * i] += (l * left) >> 12;
        accum[2 * i + 1] += (r * right) >> 12;
        position += step;
    }
    if (sound.loop && position >= end) position %= end;  // so the reported position stays inside the loop
    voice.position = position;
    return sound.loop || position < end;
}

}  // namespace

void MixerPanGains(int volume, int pan, int* left, int* right) {
    volume = std::clamp(volume, 0, 32767);
    pan = std::clamp(pan, -4096, 4096);
    *left = volume * (pan > 0 ? 4096 - pan : 4096) >> 12;
    *right = volume * (pan < 0 ? 4096 + pan : 4096) >> 12;
}

std::uint64_t MixerVoiceStep(int rate, int hertz) {
    if (rate <= 0 || hertz <= 0) return 0;
    return static_cast<std::uint64_t>(rate) * static_cast<std::uint64_t>(hertz) / MIXER_HERTZ;
}

void MixVoice(TMixerVoice& voice, std::int32_t* accum, int frames) {
    if (!voice.sound) return;
    if (voice.sound->length == 0) return Finish(voice);
    bool more = voice.sound->channels == 2 ? MixFrames<2>(voice, accum, frames) : MixFrames<1>(voice, accum, frames);
    if (!more) Finish(voice);
}

void DropVoiceSound(TMixerVoice& voice) {
    ReleaseMixerSound(voice.sound);
    voice.sound = nullptr;
}

}  // namespace vellum
