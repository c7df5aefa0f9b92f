#pragma once
// Helpers for the mixer tests: test signals, sounds made straight from
// 16-bit values, and a fixture with the mixer open on a memory device.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "mixer/mixer.h"
#include "mixer/mixer_memory_device.h"

namespace vellum::test {

struct Frame {
    int left;
    int right;
};

// n values of a sine of the given period in frames and amplitude.
inline std::vector<std::int16_t> Sine(int n, double period, double amplitude = 20000) {
    std::vector<std::int16_t> values(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        values[static_cast<size_t>(i)] =
            static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * i / period)));
    return values;
}

// A mixer sound of 16-bit values (interleaved when stereo).
inline int MakeMixerSound(const std::vector<std::int16_t>& values, int channels = 1, int hertz = 44100,
                          bool loop = false) {
    std::vector<unsigned char> bytes;
    for (std::int16_t v : values) {
        bytes.push_back(static_cast<unsigned char>(v & 0xFF));
        bytes.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    return MixerCreateSound(static_cast<int>(values.size()) / channels, 16, channels, hertz, bytes.data(),
                            loop ? -1 : 0);
}

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        _device = std::make_shared<TMixerMemoryDevice>(256);
        ASSERT_EQ(MixerOpen(_device), 0);
    }
    void TearDown() override {
        MixerClose();
        for (int sound : _sounds) MixerFreeSound(sound);
    }

    int Sound(const std::vector<std::int16_t>& values, int channels = 1, int hertz = 44100, bool loop = false) {
        int sound = MakeMixerSound(values, channels, hertz, loop);
        _sounds.push_back(sound);
        return sound;
    }

    std::vector<Frame> Render(int frames) {
        auto values = _device->Render(frames);
        std::vector<Frame> out(values.size() / 2);
        for (size_t i = 0; i < out.size(); ++i) out[i] = {values[2 * i], values[2 * i + 1]};
        return out;
    }

    static bool Playing(int handle) {
        int status = MixerChannelStatus(handle);
        return status && !(status & (MIXER_DONE | MIXER_PAUSED));
    }

    std::shared_ptr<TMixerMemoryDevice> _device;
    std::vector<int> _sounds;
};

}  // namespace vellum::test
