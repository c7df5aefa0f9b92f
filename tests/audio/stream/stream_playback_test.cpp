// Streamed sounds through OpenAL Soft's wave output, on the "DirectSound"
// and "OpenAL" drivers, and on the silent one.

#include <malloc.h>

#include <chrono>
#include <cmath>

#include "audio/audio_driver.h"
#include "audio/audio_functions.h"
#include "audio_capture.h"
#include "streaming/stream_feed.h"
#include "stream_test_files.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();  // the sanitizers' allocator
#endif

namespace vellum::test {
namespace {

// Bytes the program holds from the allocator, whichever allocator that is.
long long AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long long>(mallinfo2().uordblks);
#endif
}

class StreamPlaybackTest : public PlaybackTest, public ::testing::WithParamInterface<const char16_t*> {};

// Each file plays looping, loaded whole and then streamed, for three loops
// and a little; the two captures agree frame for frame.
TEST_P(StreamPlaybackTest, LoopsSoundAsTheLoadedSoundDoesOverThreeLoopPoints) {
    ASSERT_EQ(SetAudioDriver(GetParam()), 1);
    auto files = WriteStreamFiles(_dir);
    std::vector<int> lengths;
    for (const auto& file : files) {
        int length = static_cast<int>(LoadedFrames(file.path).size());
        lengths.push_back(length);
        for (int flags : {SOUND_LOOP, SOUND_LOOP | SOUND_STREAM}) {
            auto channel = PlaySound(LoadSound(FromUtf8(file.path), flags));
            _capture.WaitForOutput(static_cast<int>(3.5 * length) + kRate / 4);
            EXPECT_EQ(ChannelPlaying(channel), 1) << file.name;
            StopChannel(channel);
            Elapse(120);
        }
    }
    auto out = _capture.Finish();
    auto segments = Segments(out);
    ASSERT_EQ(segments.size(), 2 * files.size());
    for (size_t f = 0; f < files.size(); ++f) {
        Segment whole = segments[2 * f], streamed = segments[2 * f + 1];
        int n = 3 * lengths[f] + 100;
        ASSERT_GE(whole.Length(), n) << files[f].name;
        ASSERT_GE(streamed.Length(), n) << files[f].name;
        for (int i = 0; i < n; ++i) {
            const StereoFrame& a = out[static_cast<size_t>(whole.begin + i)];
            const StereoFrame& b = out[static_cast<size_t>(streamed.begin + i)];
            ASSERT_TRUE(a.left == b.left && a.right == b.right) << files[f].name << " frame " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, StreamPlaybackTest, ::testing::Values(u"DirectSound", u"OpenAL"));

using StreamControlTest = PlaybackTest;

// Paused at odd moments and resumed, the voice goes on from where it was:
// everything heard, put together, is the sound looping from its start.
TEST_F(StreamControlTest, PauseAndResumeAtAnyMomentLoseNoFrameAndStopEndsIt) {
    auto files = WriteStreamFiles(_dir);
    auto loaded = LoadedFrames(files[3].path);  // 16-bit stereo, played unchanged
    auto channel = PlaySound(LoadSound(FromUtf8(files[3].path), SOUND_LOOP | SOUND_STREAM));
    Elapse(60);
    for (int pause : {37, 81, 12, 140, 55}) {
        Elapse(pause);
        PauseChannel(channel);
        EXPECT_EQ(ChannelPlaying(channel), 0);
        Elapse(60);
        ResumeChannel(channel);
        EXPECT_EQ(ChannelPlaying(channel), 1);
    }
    Elapse(50);
    StopChannel(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    ResumeChannel(channel);  // a stopped channel stays stopped
    EXPECT_EQ(ChannelPlaying(channel), 0);

    auto out = _capture.Finish();
    auto segments = Segments(out);
    EXPECT_GE(segments.size(), 5u);  // a pause may come before a new piece was mixed
    size_t heard = 0;
    for (const auto& segment : segments)
        for (int i = segment.begin; i < segment.end; ++i, ++heard) {
            auto expected = loaded[heard % loaded.size()];
            ASSERT_TRUE(out[static_cast<size_t>(i)].left == expected.first &&
                        out[static_cast<size_t>(i)].right == expected.second)
                << "frame " << heard;
        }
    EXPECT_GT(heard, loaded.size() * 2);
}

// A 30-second stereo piece, which decoded whole takes over 5 MB.
TEST_F(StreamControlTest, APlayingStreamHoldsLittleMemoryAndItsThreadEndsWithIt) {
    std::string ogg = EncodeOgg(2, 44100, 44100 * 30, [](int i, int c) {
        return 0.3f * std::sin(static_cast<float>(i) * (0.03f + 0.01f * static_cast<float>(c)));
    });
    std::string path = _dir.Write("long.ogg", ogg);
    CurrentAudioDriver();  // the device opens outside the measurement
    long long before = AllocatedBytes();
    auto sound = LoadSound(FromUtf8(path), SOUND_LOOP | SOUND_STREAM);
    auto channel = PlaySound(sound);
    SleepMs(400);
    long long held = AllocatedBytes() - before;
    RecordProperty("held_bytes", static_cast<int>(held));
    EXPECT_LT(held, 256 * 1024) << held << " bytes";
    EXPECT_EQ(ChannelPlaying(channel), 1);
    EXPECT_EQ(StreamThreadsRunning(), 1);

    StopChannel(channel);
    channel = nullptr;
    sound = nullptr;
    EXPECT_EQ(StreamThreadsRunning(), 0);
}

TEST_F(StreamControlTest, ACutFileEndsTheSoundAndTheSilentDriverPlaysNothing) {
    // Noise, so that half the file holds a good part of the sound.
    std::string ogg = EncodeOgg(1, 44100, 3 * 44100, [](int i, int) {
        return static_cast<float>(static_cast<unsigned>(i) * 2654435761u >> 8) / 33554432.0f - 0.25f;
    });
    std::string cut = _dir.Write("cut.ogg", ogg.substr(0, ogg.size() / 2));
    auto channel = PlaySound(LoadSound(FromUtf8(cut), SOUND_STREAM));
    EXPECT_EQ(ChannelPlaying(channel), 1);
    EXPECT_TRUE(WaitSilent(channel));
    EXPECT_FALSE(LoadSound(_dir.Path("missing.ogg").u16string(), SOUND_STREAM));

    ASSERT_EQ(SetAudioDriver(u"Null"), 1);
    auto sound = LoadSound(FromUtf8(cut), SOUND_STREAM | SOUND_LOOP);
    ASSERT_TRUE(sound);
    channel = PlaySound(sound);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    EXPECT_EQ(StreamThreadsRunning(), 0);
}

}  // namespace
}  // namespace vellum::test
