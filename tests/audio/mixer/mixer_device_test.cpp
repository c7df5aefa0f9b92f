// The software-mixer drivers on real output devices: SDL audio through
// SDL's "disk" driver and the OpenAL stream through OpenAL Soft's wave
// back end, each writing what it played to a file of the test's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "audio/audio_all.h"
#include "audio_capture.h"

namespace vellum::test {
namespace {

constexpr int kFrames = AudioCapture::kRate / 5;

class MixerDeviceTest : public PlaybackTest {
protected:
    void TearDown() override { ShutdownAudioDriver(); }

    // Points SDL audio at its disk driver; must come before InitAudioModule.
    void UseSdlDisk() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", _dir.Path("sdl.raw").c_str(), 1);
    }

    // What SDL's disk driver wrote: raw 16-bit stereo frames.
    std::vector<StereoFrame> ReadDisk() const {
        std::ifstream in(_dir.Path("sdl.raw"), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<StereoFrame> frames(bytes.size() / 4);
        for (size_t i = 0; i < frames.size(); ++i) {
            std::int16_t lr[2];
            std::memcpy(lr, bytes.data() + 4 * i, 4);
            frames[i] = {lr[0], lr[1]};
        }
        return frames;
    }

    // Plays a ramp of kFrames to its end, then gives the device time to
    // play out what the mixer wrote ahead.
    void PlayRamp() {
        auto sound = Load(kFrames, Ramp);
        ASSERT_TRUE(sound);
        auto channel = PlaySound(sound);
        ASSERT_TRUE(channel);
        ASSERT_TRUE(WaitFor([&] { return !ChannelPlaying(channel); }, std::chrono::seconds(10)));
        SleepMs(400);
    }

    // How many of the ramp's frames came out, in order and on both sides;
    // -1 when anything else did. A device that restarts may drop what it
    // had mixed ahead, so frames can be missing but never reordered.
    static int RampFramesInOrder(const std::vector<StereoFrame>& out) {
        int next = 0, matched = 0;
        for (const StereoFrame& f : out) {
            if (f.left == 0 && f.right == 0) continue;
            if (f.left != f.right) return -1;
            while (next < kFrames && Ramp(next, 0) != f.left) ++next;
            if (next == kFrames) return -1;
            ++next;
            ++matched;
        }
        return matched;
    }

    static bool Silent(const std::vector<StereoFrame>& out) {
        return std::all_of(out.begin(), out.end(), [](StereoFrame f) { return f.left == 0 && f.right == 0; });
    }
};

TEST_F(MixerDeviceTest, MultimediaDeviceDeliversTheMixThroughSdlAudio) {
    UseSdlDisk();
    InitAudioModule();
    EXPECT_TRUE(AudioDriverExists(u"ZevaRozaz Multimedia"));
    EXPECT_TRUE(AudioDriverExists(u"ZevaRozaz DirectSound"));
    ASSERT_EQ(SetAudioDriver(u"ZevaRozaz Multimedia"), 1);
    PlayRamp();
    ShutdownAudioDriver();
    EXPECT_GE(RampFramesInOrder(ReadDisk()), kFrames / 2);
}

TEST_F(MixerDeviceTest, DirectSoundDeviceStreamsTheMixThroughOpenAL) {
    InitAudioModule();
    ASSERT_EQ(SetAudioDriver(u"ZevaRozaz DirectSound"), 1);
    PlayRamp();
    // This device never drops mixed data: every frame comes out, in order.
    EXPECT_EQ(RampFramesInOrder(_capture.Finish()), kFrames);
}

TEST_F(MixerDeviceTest, ZevaRozazPrefersTheMultimediaDevice) {
    UseSdlDisk();
    InitAudioModule();
    ASSERT_EQ(SetAudioDriver(u"ZevaRozaz"), 1);
    PlayRamp();
    ShutdownAudioDriver();
    EXPECT_GE(RampFramesInOrder(ReadDisk()), kFrames / 2);
    EXPECT_TRUE(Silent(_capture.Finish()));
}

TEST_F(MixerDeviceTest, ZevaRozazFallsBackToTheDirectSoundDeviceWithoutSdlAudio) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    InitAudioModule();
    EXPECT_FALSE(AudioDriverExists(u"ZevaRozaz Multimedia"));
    ASSERT_TRUE(AudioDriverExists(u"ZevaRozaz"));
    ASSERT_EQ(SetAudioDriver(u"ZevaRozaz"), 1);
    PlayRamp();
    EXPECT_EQ(RampFramesInOrder(_capture.Finish()), kFrames);
}

}  // namespace
}  // namespace vellum::test
