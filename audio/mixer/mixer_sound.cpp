#include "mixer/mixer_sound.h"

#include <algorithm>
#include <climits>

#include "audio/audio_sample.h"
#include "sample/audio_stream.h"

namespace vellum {

TMixerSoundRef NewMixerSoundData(int length, int bits, int channels, int hertz, const void* samples, bool loop) {
    if (length < 0 || (bits != 8 && bits != 16) || (channels != 1 && channels != 2) || hertz <= 0) return nullptr;
    if (length > 0 && !samples) return nullptr;
    if (length > INT_MAX / 4) return nullptr;
    auto sound = std::make_shared<TMixerSoundData>();
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

TMixerSoundRef NewMixerStreamData(std::shared_ptr<TAudioStream> stream) {
    auto sound = std::make_shared<TMixerSoundData>();
    sound->length = static_cast<int>(std::min<long long>(stream->Length(), INT_MAX));
    sound->channels = SampleChannels(stream->Format());
    sound->hertz = stream->Hertz();
    sound->loop = stream->Loop();
    sound->stream = std::move(stream);
    return sound;
}

}  // namespace vellum
