#include "audio_capture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "audio/audio_driver.h"
#include "audio/audio_functions.h"

namespace vellum::test {

AudioCapture::AudioCapture() {
    std::string config =
        "[general]\n"
        "drivers = wave\n"
        "channels = stereo\n"
        "sample-type = int16\n"
        "frequency = 44100\n"
        "output-limiter = false\n"
        "dither = false\n"
        "hrtf = false\n"
        "[wave]\n"
        "file = " + _dir.Path("out.wav").string() + "\n";
    std::string path = _dir.Write("alsoft.conf", config);
    setenv("ALSOFT_CONF", path.c_str(), 1);
}

std::vector<StereoFrame> AudioCapture::Finish() {
    ShutdownAudioDriver();
    std::ifstream in(_dir.Path("out.wav"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    size_t data = bytes.find("data", 12);
    if (data == std::string::npos || data + 8 > bytes.size()) throw std::runtime_error("no output written");
    std::vector<StereoFrame> frames((bytes.size() - data - 8) / 4);
    const char* p = bytes.data() + data + 8;
    for (auto& frame : frames) {
        std::int16_t lr[2];
        std::memcpy(lr, p, 4);
        frame = {lr[0], lr[1]};
        p += 4;
    }
    return frames;
}

void AudioCapture::WaitForOutput(int frames) {
    auto written = [this] {
        std::error_code error;  // no file yet: nothing written
        auto bytes = std::filesystem::file_size(_dir.Path("out.wav"), error);
        return error ? 0 : static_cast<long long>(bytes);
    };
    const long long target = written() + 4LL * frames;
    if (!WaitFor([&] { return written() >= target; }, std::chrono::seconds(30)))
        ADD_FAILURE() << "the output did not advance by " << frames << " frames";
}

std::vector<Segment> Segments(const std::vector<StereoFrame>& frames, int minGap) {
    std::vector<Segment> segments;
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        if (frames[i].left == 0 && frames[i].right == 0) continue;
        if (!segments.empty() && i - segments.back().end < minGap)
            segments.back().end = i + 1;
        else
            segments.push_back({i, i + 1});
    }
    return segments;
}

int Peak(const std::vector<StereoFrame>& frames, const Segment& segment, int channel) {
    int peak = 0;
    for (int i = segment.begin; i < segment.end; ++i)
        peak = std::max(peak, std::abs(channel == 0 ? frames[i].left : frames[i].right));
    return peak;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        SleepMs(5);
    }
    return true;
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string MakeWav16(int channels, int rate, int frames, const std::function<int(int, int)>& value) {
    std::string data;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) PutU16(data, value(i, c) & 0xFFFF);
    return WavBuilder().Fmt(1, channels, rate, 16).Data(data).Bytes();
}

int Ramp(int frame, int) { return 1000 + frame * 37 % 20000; }

int Square(int frame, int) { return frame / 50 % 2 ? 20000 : -20000; }

Ref<TSound> PlaybackTest::Load(int frames, int (*value)(int, int), int flags, int channels) {
    std::string name = "s" + std::to_string(++_files) + ".wav";
    return LoadSound(FromUtf8(_dir.Write(name, MakeWav16(channels, kRate, frames, value))), flags);
}

bool PlaybackTest::WaitSilent(const Ref<TChannel>& channel) {
    return WaitFor([&] { return !ChannelPlaying(channel); }, std::chrono::seconds(10));
}

void PlaybackTest::PlayInTurn(const Ref<TSound>& sound,
                              const std::vector<std::function<void(const Ref<TChannel>&)>>& settings) {
    for (const auto& setting : settings) {
        auto channel = CueSound(sound);
        setting(channel);
        ResumeChannel(channel);
        ASSERT_TRUE(WaitSilent(channel));
        Elapse(50);
    }
}

}  // namespace vellum::test
