// The software mixer's cost: 64 looping voices (mono and stereo, at the
// sound's own rate and at rates that interpolate, panned about) mixed at
// 44.1 kHz through the memory device, as a percentage of one core.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <vector>

#include "mixer/mixer.h"
#include "mixer/mixer_memory_device.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kVoices = 64;
constexpr int kSeconds = 20;
constexpr int kRuns = 5;
constexpr int kFragmentValues = 1024;  // what the Multimedia device asks for

int MakeSound(int channels, int frames, double period) {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < frames * channels; ++i) {
        auto v = static_cast<std::int16_t>(std::lround(3000 * std::sin(2 * M_PI * (i / channels) / period)));
        bytes.push_back(static_cast<unsigned char>(v & 0xFF));
        bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    return vellum::MixerCreateSound(frames, 16, channels, 44100, bytes.data(), -1);
}

}  // namespace

int main() {
    auto device = std::make_shared<vellum::TMixerMemoryDevice>(kFragmentValues);
    if (vellum::MixerOpen(device) != 0) return 1;
    int mono = MakeSound(1, 44100, 100.0);
    int stereo = MakeSound(2, 44100, 150.0);
    for (int i = 0; i < kVoices; ++i) {
        int handle = vellum::MixerAllocChannel();
        vellum::MixerSetVolume(handle, 0.3f);
        vellum::MixerSetPan(handle, static_cast<float>(i % 9 - 4) / 4.0f);
        // Half the voices at the sound's rate, half at rates that interpolate.
        vellum::MixerSetRate(handle, i % 2 ? 1.0f : 0.5f + static_cast<float>(i) / 64.0f);
        vellum::MixerPlaySound(i % 4 == 3 ? stereo : mono, 0, handle);
    }

    const int frames = 44100 * kSeconds;
    std::vector<double> costs;
    long long check = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        for (int done = 0; done < frames; done += kFragmentValues / 2) check += device->Render(kFragmentValues / 2)[7];
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        costs.push_back(100.0 * seconds / kSeconds);
    }
    std::sort(costs.begin(), costs.end());
    std::printf("mixing %d voices at 44100 Hz, %d s of sound per run, %d runs (checksum %lld)\n", kVoices, kSeconds,
                kRuns, check);
    std::printf("cost: %.2f %% of one core (median; best %.2f %%, worst %.2f %%)\n", costs[kRuns / 2], costs.front(),
                costs.back());
    vellum::MixerClose();
    vellum::MixerFreeSound(mono);
    vellum::MixerFreeSound(stereo);
    return 0;
}
