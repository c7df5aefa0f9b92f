// The OpenAL drivers against real OpenAL Soft writing to a file.

#include <gtest/gtest.h>

#include <AL/al.h>

#include "audio/audio_all.h"
#include "openal/openal_channel.h"
#include "openal/openal_sound.h"
#include "openal/openal_source.h"
#include "audio_capture.h"

namespace vellum::test {
namespace {

class OpenALDriverTest : public PlaybackTest {
protected:
    void SetUp() override {
        InitAudioModule();
        ASSERT_EQ(SetAudioDriver(u"OpenAL"), 1);
    }

    static Ref<TOpenALSource> SourceOf(const Ref<TChannel>& channel) {
        return Cast<TOpenALChannel>(channel)->_source;
    }

    static bool InPool(const Ref<TOpenALSource>& source) {
        for (TOpenALSource* s = OpenALSourcePool().get(); s; s = s->_succ.get())
            if (s == source.get()) return true;
        return false;
    }
};

TEST_F(OpenALDriverTest, CuedSoundWaitsForResumeAndDoesNotRestartOnceEnded) {
    const int frames = kRate / 5;
    auto sound = Load(frames, Square);
    EXPECT_TRUE(Cast<TOpenALSound>(sound));
    auto channel = CueSound(sound);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(300);
    ResumeChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 1);
    ASSERT_TRUE(WaitSilent(channel));
    ResumeChannel(channel);  // the source has stopped: resuming does nothing
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(100);

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GE(segments[0].begin, kRate / 4);
    EXPECT_NEAR(segments[0].Length(), frames, 2);
}

TEST_F(OpenALDriverTest, VolumeIsTheSourceGain) {
    PlayInTurn(Load(kRate / 5, Square), {[](auto& channel) { SetChannelVolume(channel, 1.0f); },
                                         [](auto& channel) { SetChannelVolume(channel, 0.5f); }});
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2u);
    double ratio = static_cast<double>(Peak(out, segments[1], 0)) / Peak(out, segments[0], 0);
    EXPECT_NEAR(ratio, 0.5, 0.002);
}

TEST_F(OpenALDriverTest, LoopingUntilStoppedAndPauseKeepsThePosition) {
    auto loop = Load(kRate / 10, Square, SOUND_LOOP);
    auto channel = PlaySound(loop);
    Elapse(500);
    EXPECT_EQ(ChannelPlaying(channel), 1);
    StopChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(200);

    const int frames = kRate;  // long enough that the pause comes well inside it
    auto once = PlaySound(Load(frames, Ramp));
    Elapse(150);
    PauseChannel(once);
    EXPECT_EQ(ChannelPlaying(once), 0);
    Elapse(250);
    ResumeChannel(once);
    ASSERT_TRUE(WaitSilent(once));

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_GE(segments[0].Length(), kRate * 4 / 10);
    EXPECT_NEAR(segments[1].Length() + segments[2].Length(), frames, 4);
}

TEST_F(OpenALDriverTest, SourcesAreReusedOnceStoppedAndOldChannelsGoStale) {
    auto shortSound = Load(kRate / 20, Square);
    auto longSound = Load(kRate / 2, Square);
    auto first = PlaySound(shortSound);
    auto second = PlaySound(longSound);
    ASSERT_NE(SourceOf(first), SourceOf(second));
    ASSERT_TRUE(WaitSilent(first));

    auto third = PlaySound(shortSound);
    EXPECT_EQ(SourceOf(third), SourceOf(first));
    EXPECT_EQ(ChannelPlaying(first), 0);
    EXPECT_EQ(first->SetVolume(0.1f), 0);  // stale: ignored

    StopChannel(second);
    EXPECT_EQ(ChannelPlaying(second), 0);
    auto fourth = CueSound(shortSound);  // takes the stopped source
    EXPECT_EQ(SourceOf(fourth), SourceOf(second));
    EXPECT_EQ(second->SetVolume(0.1f), 0);
    EXPECT_EQ(second->SetPaused(0), 0);
    EXPECT_EQ(ChannelPlaying(fourth), 0);
}

TEST_F(OpenALDriverTest, AllocatedChannelsKeepTheirSourceUntilStopped) {
    auto sound = Load(kRate / 20, Square);
    auto channel = AllocChannel();
    auto source = SourceOf(channel);
    ASSERT_TRUE(source);
    EXPECT_FALSE(InPool(source));
    PlaySound(sound, channel);
    ASSERT_TRUE(WaitSilent(channel));
    EXPECT_EQ(PlaySound(sound, channel), channel);  // the same source again
    EXPECT_EQ(SourceOf(channel), source);
    StopChannel(channel);
    EXPECT_TRUE(InPool(source));
}

TEST_F(OpenALDriverTest, PanPlacesTheSourceOnAUnitCircle) {
    auto channel = CueSound(Load(100, Square));
    SetChannelPan(channel, 0.5f);
    ALfloat x = 0, y = 1, z = 0;
    alGetSource3f(static_cast<ALuint>(SourceOf(channel)->_id), AL_POSITION, &x, &y, &z);
    EXPECT_NEAR(x, 0.7071f, 1e-4f);
    EXPECT_NEAR(y, 0.0f, 1e-6f);
    EXPECT_NEAR(z, -0.7071f, 1e-4f);
}

TEST_F(OpenALDriverTest, BigEndianSamplePlaysLikeItsLittleEndianConversion) {
    const int frames = kRate / 10;
    auto big = TAudioSample::Create(frames, kRate, SF_MONO16BE);
    for (int i = 0; i < frames; ++i) {
        big->samples[2 * i] = static_cast<unsigned char>(Ramp(i, 0) >> 8);
        big->samples[2 * i + 1] = static_cast<unsigned char>(Ramp(i, 0));
    }
    for (auto sample : {big, big->Convert(SF_MONO16LE)}) {
        auto channel = PlaySound(LoadSound(Ref<TObject>(sample)));
        ASSERT_TRUE(WaitSilent(channel));
        Elapse(50);
    }
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2u);
    ASSERT_EQ(segments[0].Length(), segments[1].Length());
    for (int i = 0; i < segments[0].Length(); ++i)
        ASSERT_EQ(out[segments[0].begin + i].left, out[segments[1].begin + i].left) << "frame " << i;
}

TEST_F(OpenALDriverTest, DeviceDriversRegisterOnceBehindTheDefaultOne) {
    size_t before = AudioDriverNames().size();
    ASSERT_EQ(EnableOpenALAudio(), 1);
    auto names = AudioDriverNames();
    ASSERT_GT(names.size(), before + 1);
    EXPECT_EQ(names[0], u"OpenAL Default");
    EXPECT_EQ(names[1].substr(0, 7), u"OpenAL ");
    EXPECT_EQ(EnableOpenALAudio(), 1);
    EXPECT_EQ(AudioDriverNames().size(), names.size());

    ASSERT_EQ(SetAudioDriver(u"openal default"), 1);
    auto channel = PlaySound(Load(kRate / 20, Square));
    EXPECT_EQ(ChannelPlaying(channel), 1);
    EXPECT_TRUE(WaitSilent(channel));
}

TEST_F(OpenALDriverTest, SoundsOutliveTheirDriverHarmlessly) {
    auto sound = Load(kRate / 10, Square, SOUND_LOOP);
    auto channel = PlaySound(sound);
    auto allocated = AllocChannel();
    ASSERT_EQ(SetAudioDriver(u"DirectSound"), 1);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    StopChannel(allocated);
    CueSound(sound, channel);
    channel = nullptr;
    allocated = nullptr;
    sound = nullptr;  // its OpenAL buffer went with the old device

    auto fresh = PlaySound(LoadSound(FromUtf8(_dir.Write("d.wav", MakeWav16(1, kRate, kRate / 10, Ramp)))));
    ASSERT_TRUE(WaitSilent(fresh));
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(out[segments[0].begin].left, Ramp(0, 0));
}

}  // namespace
}  // namespace vellum::test
