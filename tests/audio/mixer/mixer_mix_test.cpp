// The mixing arithmetic through the memory device: rates and
// interpolation, volume and pan, loops, pausing and saturation.

#include <algorithm>
#include <cstdlib>

#include "mixer_test_util.h"

namespace vellum::test {
namespace {

using MixerMixTest = MixerTest;

TEST_F(MixerMixTest, RateOnePlaysEverySampleUnchangedThenReportsTheEnd) {
    auto sine = Sine(1000, 37.5);
    int handle = MixerPlaySound(Sound(sine), 0, MixerAllocChannel());
    ASSERT_NE(handle, 0);
    auto out = Render(1200);
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(out[i].left == sine[i] && out[i].right == sine[i]) << "frame " << i;
    for (int i = 1000; i < 1200; ++i) ASSERT_TRUE(out[i].left == 0 && out[i].right == 0) << "frame " << i;
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_DONE);
    EXPECT_FALSE(Playing(handle));
    EXPECT_EQ(MixerChannelPosition(handle), 1000);

    // Stereo keeps its sides apart.
    std::vector<std::int16_t> stereo;
    for (int i = 0; i < 300; ++i) stereo.insert(stereo.end(), {sine[i], static_cast<std::int16_t>(-3 * i)});
    MixerPlaySound(Sound(stereo, 2), 0, handle);
    out = Render(300);
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(out[i].left == sine[i] && out[i].right == -3 * i) << "frame " << i;
}

TEST_F(MixerMixTest, RatesOtherThanOneStepThroughTheSoundAndInterpolateLinearly) {
    auto sine = Sine(1000, 50);
    int sound = Sound(sine);
    int handle = MixerAllocChannel();
    MixerSetRate(handle, 2.0f);
    MixerPlaySound(sound, 0, handle);
    auto out = Render(600);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(out[i].left, sine[2 * i]) << "frame " << i;
    EXPECT_EQ(out[500].left, 0);
    EXPECT_FALSE(Playing(handle));

    // Half speed: every other frame lies halfway between two samples.
    MixerSetRate(handle, 0.5f);
    MixerPlaySound(sound, 0, handle);
    out = Render(400);
    for (int i = 0; i < 200; ++i) {
        int a = sine[i], b = sine[i + 1];
        ASSERT_EQ(out[2 * i].left, a) << "frame " << 2 * i;
        ASSERT_EQ(out[2 * i + 1].left, a + ((b - a) * 32768 >> 16)) << "frame " << 2 * i + 1;
    }

    // A sound's own rate counts: 22050 Hz at rate 1 lasts twice as many frames.
    MixerSetRate(handle, 1.0f);
    MixerPlaySound(Sound(sine, 1, 22050), 0, handle);
    out = Render(2100);
    EXPECT_EQ(out[1998].left, sine[999]);
    EXPECT_NE(out[1999].left, 0);
    EXPECT_EQ(out[2000].left, 0);
}

TEST_F(MixerMixTest, VolumeScalesAndPanFadesOnlyTheFarSide) {
    auto sine = Sine(400, 40, 30000);
    int sound = Sound(sine);
    auto play = [&](float volume, float pan) {
        int handle = MixerAllocChannel();
        MixerSetVolume(handle, volume);
        MixerSetPan(handle, pan);
        MixerPlaySound(sound, 0, handle);
        auto out = Render(400);
        MixerFreeChannel(handle);
        return out;
    };
    auto out = play(0.5f, 0.0f);
    for (int i = 0; i < 400; ++i) {
        ASSERT_LE(std::abs(2 * out[i].left - sine[i]), 2) << "frame " << i;
        ASSERT_EQ(out[i].left, out[i].right);
    }
    out = play(1.0f, -1.0f);
    for (int i = 0; i < 400; ++i) ASSERT_TRUE(out[i].left == sine[i] && out[i].right == 0) << "frame " << i;
    out = play(1.0f, 1.0f);
    for (int i = 0; i < 400; ++i) ASSERT_TRUE(out[i].left == 0 && out[i].right == sine[i]) << "frame " << i;
    out = play(1.0f, 0.5f);
    for (int i = 0; i < 400; ++i) {
        ASSERT_LE(std::abs(2 * out[i].left - sine[i]), 2) << "frame " << i;
        ASSERT_EQ(out[i].right, sine[i]);
    }
    out = play(0.0f, 0.0f);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](Frame f) { return f.left == 0 && f.right == 0; }));
}

TEST_F(MixerMixTest, LoopsWrapWithoutASeam) {
    auto sine = Sine(100, 25);  // four whole periods
    int handle = MixerPlaySound(Sound(sine, 1, 44100, true), 0, MixerAllocChannel());
    auto out = Render(1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(out[i].left, sine[i % 100]) << "frame " << i;
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_LOOP);
    EXPECT_EQ(MixerChannelPosition(handle), 0);

    // Off the sample grid the wrap interpolates from the last frame into
    // the first, so no step is larger than the sine's own.
    MixerSetRate(handle, 0.7f);
    out = Render(2000);
    int largest = 0;
    for (int i = 1; i < 2000; ++i) largest = std::max(largest, std::abs(out[i].left - out[i - 1].left));
    EXPECT_LE(largest, 3600);  // 20000 * 2 pi / 25 * 0.7 is about 3519
    EXPECT_TRUE(Playing(handle));
}

TEST_F(MixerMixTest, PausingHoldsThePositionAndResumingCarriesOn) {
    auto sine = Sine(2000, 60);
    int handle = MixerPlaySound(Sound(sine), 0, MixerAllocChannel());
    Render(300);
    MixerSetPaused(handle, 1);
    EXPECT_FALSE(Playing(handle));
    auto out = Render(500);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](Frame f) { return f.left == 0; }));
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_PAUSED);
    EXPECT_EQ(MixerChannelPosition(handle), 300);
    MixerSetPaused(handle, 0);
    EXPECT_TRUE(Playing(handle));
    out = Render(100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(out[i].left, sine[300 + i]) << "frame " << i;

    // A cued sound is silent and still until resumed.
    MixerPlaySound(Sound(sine), 1, handle);
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_PAUSED);
    out = Render(200);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](Frame f) { return f.left == 0; }));
    EXPECT_EQ(MixerChannelPosition(handle), 0);
}

TEST_F(MixerMixTest, ManyLoudVoicesSaturateInsteadOfWrapping) {
    int up = Sound(std::vector<std::int16_t>(500, 20000));
    int down = Sound(std::vector<std::int16_t>(500, -20000));
    for (int i = 0; i < 100; ++i) ASSERT_NE(MixerPlaySound(i < 50 ? up : down, 0, 0), 0);
    auto out = Render(10);
    EXPECT_EQ(out[0].left, 0);  // 50 up and 50 down cancel exactly
    for (int i = 0; i < 100; ++i) ASSERT_NE(MixerPlaySound(up, 0, 0), 0);
    out = Render(10);
    for (Frame f : out) ASSERT_TRUE(f.left == 32767 && f.right == 32767);
    for (int i = 0; i < 200; ++i) ASSERT_NE(MixerPlaySound(down, 0, 0), 0);
    out = Render(10);
    for (Frame f : out) ASSERT_TRUE(f.left == -32768 && f.right == -32768);
    // Below the limit voices add exactly.
    MixerClose();
    ASSERT_EQ(MixerOpen(_device), 0);
    MixerPlaySound(up, 0, 0);
    MixerPlaySound(Sound(std::vector<std::int16_t>(10, 12000)), 0, 0);
    EXPECT_EQ(Render(1)[0].left, 32000);
}

TEST_F(MixerMixTest, EightBitAndOutOfRangeSoundsAndSettings) {
    const unsigned char bytes[] = {0, 128, 255};
    int sound = MixerCreateSound(3, 8, 1, 44100, bytes, 0);
    _sounds.push_back(sound);
    MixerPlaySound(sound, 0, 0);
    auto out = Render(3);
    EXPECT_EQ(out[0].left, -32768);
    EXPECT_EQ(out[1].left, 128);
    EXPECT_EQ(out[2].left, 32767);

    EXPECT_EQ(MixerCreateSound(3, 24, 1, 44100, bytes, 0), 0);
    EXPECT_EQ(MixerCreateSound(3, 8, 3, 44100, bytes, 0), 0);
    EXPECT_EQ(MixerCreateSound(3, 8, 1, 0, bytes, 0), 0);
    EXPECT_EQ(MixerCreateSound(-1, 8, 1, 44100, bytes, 0), 0);

    // Silly settings are clamped rather than wrapped: a volume of 10 must
    // not turn into a negative 16-bit number, nor a NaN rate into garbage.
    int handle = MixerAllocChannel();
    MixerSetVolume(handle, 10.0f);
    MixerSetRate(handle, std::nanf(""));
    MixerPlaySound(Sound(std::vector<std::int16_t>(50, 1000)), 0, handle);
    out = Render(50);
    EXPECT_EQ(out[0].left, 7999);  // 1000 * 32767 / 4096
    EXPECT_EQ(MixerChannelPosition(handle), 0);  // rate 0 holds
    MixerSetRate(handle, -3.0f);
    EXPECT_EQ(Render(5)[4].left, 7999);
    // An empty sound is over as soon as it starts.
    handle = MixerPlaySound(Sound({}), 0, MixerAllocChannel());
    Render(1);
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_DONE);
}

}  // namespace
}  // namespace vellum::test
