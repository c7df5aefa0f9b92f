#include "mixer/mixer_voice.h"

#include <algorithm>
#include <cstring>

#include "mixer/mixer.h"

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

// Makes the window of a streamed voice reach frame, keeping the frames from
// keep on; false when the ring has not got that far yet.
bool Reach(TMixerVoice& voice, int channels, std::uint64_t frame, std::uint64_t keep) {
    TStreamRing& ring = *voice.stream;
    std::int16_t* window = ring.scratch.data();
    const int capacity = static_cast<int>(ring.scratch.size()) / channels;
    while (voice.windowStart + static_cast<std::uint64_t>(voice.windowCount) <= frame) {
        int drop = static_cast<int>(std::min<std::uint64_t>(keep > voice.windowStart ? keep - voice.windowStart : 0,
                                                            static_cast<std::uint64_t>(voice.windowCount)));
        if (drop > 0) {
            std::memmove(window, window + drop * channels,
                         static_cast<size_t>(voice.windowCount - drop) * channels * sizeof(std::int16_t));
            voice.windowStart += static_cast<std::uint64_t>(drop);
            voice.windowCount -= drop;
        }
        int got = ring.Pull(reinterpret_cast<unsigned char*>(window + voice.windowCount * channels),
                            capacity - voice.windowCount);
        if (got == 0) return false;
        voice.windowCount += got;
    }
    return true;
}

// The mixing loop of a streamed voice: the same arithmetic over frames
// pulled from the ring. The stream runs on past a loop point, so the frame
// after the last is the first. When the ring runs dry the voice waits,
// silent, without losing its place; false when the stream is over.
template <int Channels>
bool MixStreamFrames(TMixerVoice& voice, std::int32_t* accum, int frames) {
    const TMixerSoundData& sound = *voice.sound;
    TStreamRing& ring = *voice.stream;
    const std::uint64_t step = MixerVoiceStep(voice.rate, sound.hertz);
    int left, right;
    MixerPanGains(voice.volume, voice.pan, &left, &right);
    std::uint64_t position = voice.streamPosition;
    bool more = true;
    for (int i = 0; i < frames; ++i) {
        const std::uint64_t index = position >> 16;
        if (!Reach(voice, Channels, index, index)) {
            more = !ring.Drained();
            break;
        }
        std::uint64_t next = index + 1;
        if (!Reach(voice, Channels, next, index)) {
            if (!ring.Drained()) break;
            next = index;  // the last frame of a one-shot holds
        }
        const std::int16_t* data = ring.scratch.data();
        const auto at = static_cast<std::uint32_t>(index - voice.windowStart) * Channels;
        const auto after = static_cast<std::uint32_t>(next - voice.windowStart) * Channels;
        const auto frac = static_cast<std::uint32_t>(position & 0xFFFF);
        int l = Lerp(data[at], data[after], frac);
        int r = Channels == 2 ? Lerp(data[at + 1], data[after + 1], frac) : l;
        accum[2 * i] += (l * left) >> 12;
        accum[2 * i + 1] += (r * right) >> 12;
        position += step;
    }
    voice.streamPosition = position;
    const std::uint64_t end = static_cast<std::uint64_t>(sound.length) << 16;
    voice.position = sound.loop && end ? position % end : position;
    return more;
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
    bool more;
    if (voice.stream)
        more = voice.sound->channels == 2 ? MixStreamFrames<2>(voice, accum, frames)
                                          : MixStreamFrames<1>(voice, accum, frames);
    else if (voice.sound->length == 0)
        more = false;
    else
        more = voice.sound->channels == 2 ? MixFrames<2>(voice, accum, frames) : MixFrames<1>(voice, accum, frames);
    if (!more) Finish(voice);
}

void DropVoiceSound(TMixerVoice& voice) {
    voice.sound.reset();
    voice.stream.reset();
}

}  // namespace vellum
