#include "stream_test_files.h"

#include <cmath>

#include "sample/sample_convert.h"
#include "audio/sample_loader.h"

namespace vellum::test {

namespace {

std::string Wav(int channels, int bits, int frames) {
    std::string data;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            if (bits == 8)
                data.push_back(static_cast<char>(1 + (i * 7 + c * 50) % 120));  // never 128, the silence
            else
                PutU16(data, (1000 + (i * 37 + c * 5000) % 20000) & 0xFFFF);
        }
    return WavBuilder().Fmt(1, channels, 44100, bits).Data(data).Bytes();
}

float Chord(int frame, int channel) {
    float t = static_cast<float>(frame) / 44100.0f;
    return 0.3f * std::sin(6.2831853f * (220.0f + 110.0f * static_cast<float>(channel)) * t) +
           0.2f * std::sin(6.2831853f * 331.0f * t) + 0.05f;
}

}  // namespace

std::vector<StreamFile> WriteStreamFiles(const TempDir& dir) {
    std::vector<std::pair<std::string, std::string>> files = {
        {"mono8.wav", Wav(1, 8, 3001)},
        {"stereo8.wav", Wav(2, 8, 2999)},
        {"mono16.wav", Wav(1, 16, 4001)},
        {"stereo16.wav", Wav(2, 16, 3003)},
        {"mono.ogg", EncodeOgg(1, 44100, 7777, Chord)},
        {"stereo.ogg", EncodeOgg(2, 44100, 6543, Chord)},
    };
    std::vector<StreamFile> written;
    for (auto& [name, bytes] : files) written.push_back({name, dir.Write(name, bytes)});
    return written;
}

std::vector<std::pair<int, int>> LoadedFrames(const std::string& path) {
    auto sample = LoadAudioSample(FromUtf8(path));
    std::vector<std::pair<int, int>> frames;
    if (!sample) return frames;
    std::vector<std::int16_t> values(static_cast<size_t>(sample->length) * 2);
    ConvertSampleFrames(sample->samples, sample->format, reinterpret_cast<unsigned char*>(values.data()),
                        SF_STEREO16LE, sample->length);
    for (int i = 0; i < sample->length; ++i) frames.emplace_back(values[2 * i], values[2 * i + 1]);
    return frames;
}

}  // namespace vellum::test
