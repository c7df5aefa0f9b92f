// The default "DirectSound" driver against real OpenAL Soft, reading back
// what was played from the wave file it writes.

#include <gtest/gtest.h>

#include "audio/audio_all.h"
#include "dsound/dsound_channel.h"
#include "dsound/dsound_driver.h"
#include "dsound/dsound_sound.h"
#include "audio_capture.h"

namespace vellum::test {
namespace {

class DirectSoundTest : public PlaybackTest {
protected:
    void SetUp() override {
        InitAudioModule();
        ASSERT_EQ(CurrentAudioDriver()->Name(), u"DirectSound");
    }

    static Ref<TDirectSoundChannel> Ds(const Ref<TChannel>& channel) { return Cast<TDirectSoundChannel>(channel); }

    static int BufCount(const Ref<TSound>& sound) {
        int count = 0;
        for (TBuf* buf = Cast<TDirectSoundSound>(sound)->_bufs.get(); buf; buf = buf->_succ.get()) ++count;
        return count;
    }
};

TEST_F(DirectSoundTest, CueIsSilentUntilResumedThenPlaysTheSamplesUnchanged) {
    const int frames = kRate / 5;
    auto sound = Load(frames, Ramp);
    ASSERT_TRUE(sound);
    auto channel = CueSound(sound);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(300);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    ResumeChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 1);
    EXPECT_TRUE(WaitSilent(channel));
    EXPECT_EQ(ChannelPlaying(channel), 0);

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GE(segments[0].begin, kRate / 4);  // nothing while cued
    ASSERT_EQ(segments[0].Length(), frames);
    for (int i = 0; i < frames; ++i) {
        const StereoFrame& f = out[segments[0].begin + i];
        ASSERT_TRUE(f.left == Ramp(i, 0) && f.right == Ramp(i, 0)) << "frame " << i;
    }
}

TEST_F(DirectSoundTest, VolumeAndPanFollowTheirCurves) {
    auto sound = Load(kRate / 10, Square);
    auto channel = Ds(CueSound(sound));
    ASSERT_TRUE(channel);
    TSoundBuffer& buffer = *channel->_buf->_buffer;
    auto volume = [&](float v) {
        SetChannelVolume(channel, v);
        int value = 1;
        buffer.GetVolume(&value);
        return value;
    };
    EXPECT_EQ(volume(1.0f), 0);
    EXPECT_EQ(volume(0.5f), -669);
    EXPECT_EQ(volume(0.1f), -2056);
    EXPECT_EQ(volume(0.0f), -10000);
    EXPECT_EQ(volume(2.0f), 0);
    EXPECT_EQ(volume(-1.0f), -10000);

    auto pan = [&](float p) {
        SetChannelPan(channel, p);
        int value = 1;
        buffer.GetPan(&value);
        return value;
    };
    EXPECT_EQ(pan(0.0f), 0);
    EXPECT_EQ(pan(0.5f), 669);
    EXPECT_EQ(pan(-1.0f), -10000);
    EXPECT_EQ(pan(3.0f), 10000);

    SetChannelRate(channel, 0.5f);
    int hertz = 0;
    buffer.GetFrequency(&hertz);
    EXPECT_EQ(hertz, kRate / 2);
}

TEST_F(DirectSoundTest, HalfVolumeIsQuieterByTheLoudnessCurve) {
    PlayInTurn(Load(kRate / 5, Square), {[](auto& channel) { SetChannelVolume(channel, 1.0f); },
                                         [](auto& channel) { SetChannelVolume(channel, 0.5f); }});
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(Peak(out, segments[0], 0), 20000);
    EXPECT_EQ(Peak(out, segments[0], 1), 20000);
    // -669 hundredths of a decibel: 10^(-669/2000) = 0.46281.
    EXPECT_NEAR(Peak(out, segments[1], 0), 20000 * 0.46281, 3);
    EXPECT_NEAR(Peak(out, segments[1], 1), 20000 * 0.46281, 3);
}

TEST_F(DirectSoundTest, FullPanSilencesTheFarSide) {
    PlayInTurn(Load(kRate / 10, Square), {[](auto& channel) { SetChannelPan(channel, 1.0f); },
                                          [](auto& channel) { SetChannelPan(channel, -1.0f); }});
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_LE(Peak(out, segments[0], 0), 1);
    EXPECT_NEAR(Peak(out, segments[0], 1), 20000, 2);
    EXPECT_NEAR(Peak(out, segments[1], 0), 20000, 2);
    EXPECT_LE(Peak(out, segments[1], 1), 1);
}

TEST_F(DirectSoundTest, LoopingSoundPlaysUntilStopped) {
    auto sound = Load(kRate / 10, Square, SOUND_LOOP);
    auto channel = PlaySound(sound);
    Elapse(600);
    EXPECT_EQ(ChannelPlaying(channel), 1);
    StopChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(200);

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_GE(segments[0].Length(), kRate / 2);  // five loops and more, without a gap
    EXPECT_LE(segments[0].end, static_cast<int>(out.size()) - kRate / 10);
}

TEST_F(DirectSoundTest, PauseThenResumeContinuesFromTheSamePosition) {
    const int frames = kRate;  // long enough that the pause comes well inside it
    auto sound = Load(frames, Ramp);
    auto channel = PlaySound(sound);
    Elapse(150);
    PauseChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    Elapse(250);
    ResumeChannel(channel);
    ASSERT_TRUE(WaitSilent(channel));

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_GE(segments[1].begin - segments[0].end, kRate / 5);
    ASSERT_EQ(segments[0].Length() + segments[1].Length(), frames);
    int played = 0;
    for (const Segment& segment : segments)
        for (int i = segment.begin; i < segment.end; ++i, ++played)
            ASSERT_EQ(out[i].left, Ramp(played, 0)) << "frame " << played;
}

TEST_F(DirectSoundTest, OverlappingCuesDuplicateThenReuseTheFirstFreeBuffer) {
    auto sound = Load(kRate / 5, Square);
    std::vector<Ref<TChannel>> channels;
    for (int i = 0; i < 3; ++i) {
        channels.push_back(CueSound(sound));
        ResumeChannel(channels.back());
    }
    EXPECT_EQ(BufCount(sound), 3);  // the master and two duplicates
    EXPECT_NE(Ds(channels[0])->_buf, Ds(channels[1])->_buf);
    EXPECT_NE(Ds(channels[1])->_buf, Ds(channels[2])->_buf);
    for (auto& channel : channels) ASSERT_TRUE(WaitSilent(channel));

    // The newest duplicate heads the list, so the last channel loses it.
    auto next = CueSound(sound);
    EXPECT_EQ(BufCount(sound), 3);
    EXPECT_EQ(Ds(next)->_buf, Ds(channels[2])->_buf);
    ResumeChannel(next);
    EXPECT_EQ(ChannelPlaying(next), 1);
    EXPECT_EQ(ChannelPlaying(channels[2]), 0);
    StopChannel(channels[2]);  // stale: must not stop the new voice
    ResumeChannel(channels[2]);
    EXPECT_EQ(ChannelPlaying(next), 1);
    StopChannel(next);
}

TEST_F(DirectSoundTest, DroppedSoundFinishesThenItsBuffersAreReleased) {
    const int frames = kRate / 4;
    auto sound = Load(frames, Square);
    PlaySound(sound);
    sound = nullptr;
    auto driver = StartedDirectSoundDriver();
    ASSERT_TRUE(driver->_lonely);
    auto other = Load(100, Square);  // creating a sound flushes the lonely buffers...
    EXPECT_TRUE(driver->_lonely);     // ...but not one still playing
    Elapse(450);
    auto third = Load(100, Square);
    EXPECT_FALSE(driver->_lonely);

    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].Length(), frames);
}

TEST_F(DirectSoundTest, StoppedChannelKeepsSettingsForItsNextCue) {
    auto sound = Load(kRate / 10, Square);
    auto channel = CueSound(sound);
    StopChannel(channel);
    SetChannelVolume(channel, 0.5f);
    SetChannelRate(channel, 0.5f);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    EXPECT_EQ(CueSound(sound, channel), channel);
    int volume = 0, hertz = 0;
    Ds(channel)->_buf->_buffer->GetVolume(&volume);
    Ds(channel)->_buf->_buffer->GetFrequency(&hertz);
    EXPECT_EQ(volume, -669);
    EXPECT_EQ(hertz, kRate / 2);
}

TEST_F(DirectSoundTest, BufferFlagsAndBigEndianSamples) {
    auto software = Load(100, Square);
    auto hardware = Load(100, Square, SOUND_HARDWARE);
    EXPECT_EQ(Cast<TDirectSoundSound>(software)->_buffer->Flags(), 0x80EA);
    EXPECT_EQ(Cast<TDirectSoundSound>(hardware)->_buffer->Flags(), 0x80E2);

    // A big-endian sample plays the values it holds.
    const int frames = kRate / 10;
    auto sample = TAudioSample::Create(frames, kRate, SF_STEREO16BE);
    for (int i = 0; i < frames; ++i) {
        int values[2] = {Ramp(i, 0), -Ramp(i, 0)};
        for (int c = 0; c < 2; ++c) {
            sample->samples[4 * i + 2 * c] = static_cast<unsigned char>(values[c] >> 8);
            sample->samples[4 * i + 2 * c + 1] = static_cast<unsigned char>(values[c]);
        }
    }
    auto channel = PlaySound(LoadSound(Ref<TObject>(sample)));
    ASSERT_TRUE(WaitSilent(channel));
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 1u);
    ASSERT_EQ(segments[0].Length(), frames);
    for (int i = 0; i < frames; ++i) {
        const StereoFrame& f = out[segments[0].begin + i];
        ASSERT_TRUE(f.left == Ramp(i, 0) && f.right == -Ramp(i, 0)) << "frame " << i;
    }
}

TEST_F(DirectSoundTest, RestartingTheDriverSilencesOldSounds) {
    auto old = Load(kRate / 10, Square, SOUND_LOOP);
    auto oldChannel = PlaySound(old);
    ASSERT_EQ(SetAudioDriver(u"DIRECTSOUND"), 1);
    EXPECT_EQ(ChannelPlaying(oldChannel), 0);
    auto again = PlaySound(old);
    EXPECT_EQ(ChannelPlaying(again), 0);
    StopChannel(again);
    old = nullptr;  // not handed to the new driver's lonely list
    EXPECT_FALSE(StartedDirectSoundDriver()->_lonely);

    auto fresh = PlaySound(Load(kRate / 10, Square));
    EXPECT_EQ(ChannelPlaying(fresh), 1);
    EXPECT_TRUE(WaitSilent(fresh));
}

}  // namespace
}  // namespace vellum::test
