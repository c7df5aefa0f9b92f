// Sound decoding and voice start-up over a 60-second stereo 44.1 kHz Ogg
// Vorbis file: the decoder a streamed sound plays from, read in the pieces
// a stream's thread reads, against a plain ov_read loop over the same file
// (runs alternated, ratio of the medians, aim at least 0.9); loading whole
// (LoadAudioSample, LoadSound) against the same loop; LoadSound with
// SOUND_STREAM; and the cost of the game's way of starting an effect,
// CueSound + SetChannelVolume + ResumeChannel. OpenAL Soft plays into its
// null back end unless ALSOFT_CONF says otherwise.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <vorbis/vorbisfile.h>

#include "audio/audio_all.h"
#include "audio_test_files.h"
#include "sample/audio_decoder.h"
#include "stream/open_stream.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr int kSeconds = 60;
constexpr int kRuns = 5;  // of each, alternated; medians
constexpr int kCues = 2000;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Something like music: a chord that moves, with a little noise.
float Music(int frame, int channel) {
    float t = static_cast<float>(frame) / kRate;
    float root = 110.0f * std::pow(2.0f, static_cast<float>(frame / (kRate / 2) % 12) / 12.0f);
    float value = 0;
    for (float ratio : {1.0f, 1.25f, 1.5f, 2.0f}) value += 0.15f * std::sin(6.2831853f * root * ratio * t);
    unsigned hash = static_cast<unsigned>(frame * 2 + channel) * 2654435761u;
    return value + 0.02f * (static_cast<float>(hash >> 8) / 16777216.0f - 0.5f);
}

// The baseline: libvorbisfile's own file reading and ov_read, 16-bit
// little-endian, as a program without the engine would decode. Frames.
long PlainDecode(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) return -1;
    std::vector<char> piece(1 << 14);
    long bytes = 0, n = 0;
    int link = 0;
    while ((n = ov_read(&file, piece.data(), static_cast<int>(piece.size()), 0, 2, 1, &link)) > 0) bytes += n;
    long frames = bytes / (2 * ov_info(&file, -1)->channels);
    ov_clear(&file);
    return frames;
}

// What a streamed sound's thread does: open the file through the engine's
// streams and read the decoder in pieces of 1024 frames. Frames.
long StreamedDecode(const std::string& path) {
    auto decoder = vellum::OpenAudioDecoder(vellum::OpenReadStream(vellum::FromUtf8(path)));
    if (!decoder) return -1;
    std::vector<unsigned char> piece(1024 * 4);
    long frames = 0, n = 0;
    while ((n = decoder->Read(piece.data(), 1024)) > 0) frames += n;
    return frames;
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("vellum-bench-audio-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    if (!std::getenv("ALSOFT_CONF")) {
        std::ofstream(dir / "alsoft.conf") << "[general]\ndrivers = null\n";
        setenv("ALSOFT_CONF", (dir / "alsoft.conf").c_str(), 1);
    }

    std::string ogg = vellum::test::EncodeOgg(2, kRate, kRate * kSeconds, Music);
    std::string path = (dir / "music.ogg").string();
    std::ofstream(path, std::ios::binary) << ogg;
    std::string effectPath = (dir / "effect.wav").string();
    {
        std::string data;
        for (int i = 0; i < kRate / 5; ++i) vellum::test::PutU16(data, static_cast<int>(Music(i, 0) * 30000) & 0xFFFF);
        std::ofstream(effectPath, std::ios::binary) << vellum::test::WavBuilder().Fmt(1, 1, kRate, 16).Data(data).Bytes();
    }

    vellum::InitAudioModule();
    double loadAverage[3] = {};
    getloadavg(loadAverage, 3);
    std::printf("load average: %.2f %.2f %.2f\n", loadAverage[0], loadAverage[1], loadAverage[2]);
    std::printf("driver: %s\n", vellum::ToUtf8(vellum::CurrentAudioDriver()->Name()).c_str());
    std::printf("file: %d s stereo %d Hz Ogg Vorbis, %.2f MiB; %d runs, median\n", kSeconds, kRate,
                static_cast<double>(ogg.size()) / (1 << 20), kRuns);

    // Alternated runs: the plain loop, the streamed decoder, loading whole.
    std::vector<double> plain, streamed, decode, load, open;
    for (int run = 0; run < kRuns; ++run) {
        auto t0 = Clock::now();
        long plainFrames = PlainDecode(path);
        auto t1 = Clock::now();
        long streamedFrames = StreamedDecode(path);
        auto t2 = Clock::now();
        auto sample = vellum::LoadAudioSample(vellum::FromUtf8(path));
        auto t3 = Clock::now();
        auto sound = vellum::LoadSound(vellum::FromUtf8(path));
        auto t4 = Clock::now();
        auto stream = vellum::LoadSound(vellum::FromUtf8(path), vellum::SOUND_STREAM);
        auto t5 = Clock::now();
        if (plainFrames != kRate * kSeconds || streamedFrames != plainFrames || !sample ||
            sample->length != kRate * kSeconds || !sound || !stream) {
            std::fprintf(stderr, "decoding failed\n");
            return 1;
        }
        plain.push_back(Seconds(t1 - t0));
        streamed.push_back(Seconds(t2 - t1));
        decode.push_back(Seconds(t3 - t2));
        load.push_back(Seconds(t4 - t3));
        open.push_back(Seconds(t5 - t4));
    }
    double base = Median(plain);
    std::printf("plain ov_read loop: %7.1f ms\n", 1000 * base);
    std::printf("streamed decoder, 1024-frame pieces: %7.1f ms, ratio to the plain loop %.2f (aim >= 0.9)\n",
                1000 * Median(streamed), base / Median(streamed));
    std::printf("LoadAudioSample (decode whole): %7.1f ms, ratio %.2f\n", 1000 * Median(decode), base / Median(decode));
    std::printf("LoadSound (decode + upload): %7.1f ms, ratio %.2f\n", 1000 * Median(load), base / Median(load));
    std::printf("LoadSound with SOUND_STREAM (open and recognise): %.2f ms\n", 1000 * Median(open));

    // Steady state: each voice is stopped before the next cue, so its buffer is reused.
    auto effect = vellum::LoadSound(vellum::FromUtf8(effectPath));
    auto t0 = Clock::now();
    for (int i = 0; i < kCues; ++i) {
        auto channel = vellum::CueSound(effect);
        vellum::SetChannelVolume(channel, 0.8f);
        vellum::ResumeChannel(channel);
        vellum::StopChannel(channel);
    }
    double reuse = Seconds(Clock::now() - t0) / kCues;

    // Overlapping voices: every cue finds all buffers busy and duplicates one.
    const int voices = 100;
    std::vector<vellum::Ref<vellum::TChannel>> playing;
    auto t1 = Clock::now();
    for (int i = 0; i < voices; ++i) {
        auto channel = vellum::CueSound(effect);
        vellum::SetChannelVolume(channel, 0.8f);
        vellum::ResumeChannel(channel);
        playing.push_back(channel);
    }
    double duplicate = Seconds(Clock::now() - t1) / voices;
    int audible = 0;
    for (auto& channel : playing) audible += vellum::ChannelPlaying(channel);

    std::printf("CueSound + SetChannelVolume + ResumeChannel (+ StopChannel), buffer reused: %6.2f us\n",
                1e6 * reuse);
    std::printf("CueSound + SetChannelVolume + ResumeChannel, new duplicate each: %6.2f us (%d of %d playing)\n",
                1e6 * duplicate, audible, voices);

    playing.clear();
    vellum::ShutdownAudioDriver();
    fs::remove_all(dir);
    return 0;
}
