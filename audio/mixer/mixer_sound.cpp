#include "mixer/mixer_sound.h"

#include <climits>

namespace vellum {

TMixerSoundData* NewMixerSoundData(int length, int bits, int channels, int hertz, const void* samples, bool loop) {
    if (length < 0 || (bits != 8 && bits != 16) || (channels != 1 && channels != 2) || hertz <= 0) return nullptr;
    if (length > 0 && !samples) return nullptr;
    if (length > INT_MAX / 4) return nullptr;
    auto* sound = new TMixerSoundData;
    sound->length = length;
    sound->channels = channels;
    sound->hertz = hertz;
    sound->loop = loop;
    const auto* bytes = static_cast<const unsigned char*>(samples);
    size_t values = static_cast<size_t>(length) * static_cast<size_t>(channels);
    sound->samples.resize(values);
    for (size_t i = 0; i < values; ++i) {
        int value = bits == 8 ? 257 * bytes[i] - 32768 : static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        sound->samples[i] = static_cast<std::int16_t>(value);
    }
    return sound;
}

void RetainMixerSound(TMixerSoundData* sound) { sound->refs.fetch_add(1, std::memory_order_relaxed); }

void ReleaseMixerSound(TMixerSoundData* sound) {
    // acq_rel: every holder's reads of the data happen before the delete.
    if (sound && sound->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete sound;
}

}  // namespace vellum
