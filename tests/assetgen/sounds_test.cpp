#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data_files.h"

using namespace assetgen_test;

namespace {

const char* const kEffects[] = {"select", "explosion", "pickup", "accelerate", "success"};

Sound Load(const std::string& name) { return ReadWav(DataDir() / "Sound" / (name + ".wav")); }

// Zero crossings per sample over [begin, end): rises with the pitch or the
// brightness of the sound.
float Crossings(const std::vector<float>& x, size_t begin, size_t end) {
    int n = 0;
    for (size_t i = begin + 1; i < end; ++i) n += (x[i - 1] < 0.0f) != (x[i] < 0.0f);
    return static_cast<float>(n) / static_cast<float>(end - begin);
}

}  // namespace

TEST(AssetgenSounds, EffectsArePcm16AtCdRateAndShort) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const Sound s = Load(name);
        EXPECT_EQ(s.format, 1);
        EXPECT_EQ(s.bits, 16);
        EXPECT_EQ(s.rate, 44100);
        EXPECT_TRUE(s.channels == 1 || s.channels == 2);
        EXPECT_GE(s.Seconds(), 0.1);
        EXPECT_LE(s.Seconds(), 1.5);
    }
}

TEST(AssetgenSounds, EffectsAreLoudButNeverClip) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const Sound s = Load(name);
        const float peak = Peak(s.samples, 0, s.samples.size());
        EXPECT_GT(peak, 0.5f);
        EXPECT_LT(peak, 0.99f);
        // Not a single spike: there is real sound energy.
        EXPECT_GT(Rms(s.samples, 0, s.samples.size()), 0.05f);
    }
}

TEST(AssetgenSounds, EffectsStartAndEndInSilence) {
    // A sound cut off mid-wave clicks when it starts or stops.
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const Sound s = Load(name);
        const size_t n = s.samples.size(), ms = static_cast<size_t>(s.rate / 1000 * s.channels);
        EXPECT_LT(std::fabs(s.samples.front()), 0.01f);
        EXPECT_LT(std::fabs(s.samples.back()), 0.01f);
        EXPECT_LT(Peak(s.samples, 0, ms / 4), 0.1f) << "no attack ramp";
        EXPECT_LT(Peak(s.samples, n - ms, n), 0.05f) << "no release";
    }
}

TEST(AssetgenSounds, ExplosionIsANoisyBlastThatFallsToALowRumble) {
    const Sound s = Load("explosion");
    ASSERT_EQ(s.channels, 1);
    const size_t tenth = static_cast<size_t>(s.rate / 10);
    const float blast = Rms(s.samples, 0, tenth), rumble = Rms(s.samples, 6 * tenth, 8 * tenth);
    EXPECT_GT(blast, 2.0f * rumble);
    EXPECT_GT(rumble, 0.02f);
    EXPECT_GT(Crossings(s.samples, 0, tenth), 3.0f * Crossings(s.samples, 6 * tenth, 8 * tenth));
}

TEST(AssetgenSounds, PickupChimeAndEngineRiseInPitch) {
    const Sound chime = Load("pickup");
    const size_t ms = static_cast<size_t>(chime.rate / 1000);
    // The first note against the last one of the rising arpeggio.
    EXPECT_GT(Crossings(chime.samples, 140 * ms, 180 * ms), 1.5f * Crossings(chime.samples, 5 * ms, 40 * ms));
    const Sound engine = Load("accelerate");
    EXPECT_GT(Crossings(engine.samples, 500 * ms, 650 * ms), 1.3f * Crossings(engine.samples, 20 * ms, 170 * ms));
}
