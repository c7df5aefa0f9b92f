// Streamed sounds through the software mixer's memory device: the output
// is compared frame for frame with the fully loaded sample. The mixing
// side never waits for the decoding thread, so each piece is rendered once
// the feeds have filled their rings, as a real device's lead would allow.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "audio/audio_module.h"
#include "mixer/mixer.h"
#include "mixer/mixer_memory_device.h"
#include "audio/sample_loader.h"
#include "streaming/stream_feed.h"
#include "sample/audio_stream.h"
#include "stream/bank_functions.h"
#include "stream_test_files.h"

namespace vellum::test {
namespace {

using Frames = std::vector<std::pair<int, int>>;

class StreamMixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitAudioModule();
        _files = WriteStreamFiles(_dir);
        ASSERT_EQ(MixerOpen(_device), 0);
    }
    void TearDown() override {
        MixerClose();
        for (int sound : _sounds) MixerFreeSound(sound);
    }

    int Stream(const Ref<TObject>& url, bool loop) {
        int sound = MixerCreateStreamSound(TAudioStream::Open(url, loop));
        if (sound) _sounds.push_back(sound);
        return sound;
    }
    int Stream(const std::string& path, bool loop) { return Stream(BoxString(FromUtf8(path)), loop); }

    // Renders frames frames in pieces, each once every feed is ready.
    Frames Render(int frames) {
        Frames out;
        while (static_cast<int>(out.size()) < frames) {
            WaitSettled();
            auto values = _device->Render(std::min(4096, frames - static_cast<int>(out.size())));
            for (size_t i = 0; i < values.size(); i += 2) out.emplace_back(values[i], values[i + 1]);
        }
        return out;
    }

    static void WaitSettled() {
        for (int i = 0; i < 2000 && !StreamFeedsSettled(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    // Frame k of a sound looping from its first frame.
    static void ExpectLooped(const Frames& out, const Frames& sound, int from, const std::string& what) {
        ASSERT_FALSE(sound.empty()) << what;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], sound[(static_cast<size_t>(from) + i) % sound.size()]) << what << " frame " << i;
    }

    TempDir _dir;
    std::vector<StreamFile> _files;
    std::shared_ptr<TMixerMemoryDevice> _device = std::make_shared<TMixerMemoryDevice>(256);
    std::vector<int> _sounds;
};

TEST_F(StreamMixerTest, LoopsEqualTheLoadedSampleFrameForFrameOverThreeLoopPoints) {
    for (const auto& file : _files) {
        Frames loaded = LoadedFrames(file.path);
        int handle = MixerPlaySound(Stream(file.path, true), 0, MixerAllocChannel());
        ASSERT_NE(handle, 0) << file.name;
        int frames = static_cast<int>(loaded.size()) * 3 + 123;
        ExpectLooped(Render(frames), loaded, 0, file.name);
        EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_LOOP) << file.name;
        EXPECT_EQ(MixerChannelPosition(handle), 123) << file.name;
        MixerStopChannel(handle);
        MixerFreeChannel(handle);
    }
}

TEST_F(StreamMixerTest, OneShotsEndAfterTheirLastFrameAndOtherRatesMatchTheLoadedSound) {
    const auto& file = _files[3];  // 16-bit stereo
    Frames loaded = LoadedFrames(file.path);
    int handle = MixerPlaySound(Stream(file.path, false), 0, MixerAllocChannel());
    Frames out = Render(static_cast<int>(loaded.size()) + 500);
    ExpectLooped(Frames(out.begin(), out.begin() + static_cast<long>(loaded.size())), loaded, 0, file.name);
    for (size_t i = loaded.size(); i < out.size(); ++i) ASSERT_EQ(out[i], std::make_pair(0, 0)) << i;
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_DONE);

    // At another rate the voice interpolates across the ring's pieces and
    // the loop point exactly as over the whole sample.
    auto sample = LoadAudioSample(FromUtf8(_files[5].path));
    auto rendered = [&](int sound) {
        int channel = MixerAllocChannel();
        MixerSetRate(channel, 0.61f);
        MixerPlaySound(sound, 0, channel);
        Frames frames = Render(20000);
        MixerStopChannel(channel);
        MixerFreeChannel(channel);
        return frames;
    };
    int whole = MixerCreateSound(sample->length, 16, 2, sample->hertz, sample->samples, -1);
    _sounds.push_back(whole);
    EXPECT_EQ(rendered(Stream(_files[5].path, true)), rendered(whole));
}

TEST_F(StreamMixerTest, PausingStoppingAndTwoStreamsOfOneFile) {
    const auto& file = _files[2];  // 16-bit mono
    Frames loaded = LoadedFrames(file.path);
    int first = Stream(file.path, true);
    int handle = MixerPlaySound(first, 0, MixerAllocChannel());
    Frames out = Render(1000);
    MixerSetPaused(handle, 1);
    for (auto frame : Render(700)) ASSERT_EQ(frame, std::make_pair(0, 0));
    MixerSetPaused(handle, 0);
    ExpectLooped(Render(5000), loaded, 1000, "resumed");

    // A second sound of the same file plays from its own start, mixed in.
    int other = MixerPlaySound(Stream(file.path, true), 0, MixerAllocChannel());
    MixerSetVolume(handle, 0.5f);
    MixerSetVolume(other, 0.5f);
    out = Render(3000);
    for (int i = 0; i < 3000; ++i) {
        int a = loaded[static_cast<size_t>(6000 + i) % loaded.size()].first;
        int b = loaded[static_cast<size_t>(i) % loaded.size()].first;
        ASSERT_EQ(out[static_cast<size_t>(i)].first, ((a * 2048) >> 12) + ((b * 2048) >> 12)) << i;
    }

    // Stopped, it is silent; played again, it starts over.
    MixerStopChannel(other);
    MixerStopChannel(handle);
    EXPECT_EQ(MixerChannelStatus(handle), 0);
    for (auto frame : Render(500)) ASSERT_EQ(frame, std::make_pair(0, 0));
    handle = MixerPlaySound(first, 0, MixerAllocChannel());
    ExpectLooped(Render(2000), loaded, 0, "replayed");
}

TEST_F(StreamMixerTest, UrlsThatAreNotFilesStreamToo) {
    const auto& file = _files[4];  // Ogg mono
    Frames loaded = LoadedFrames(file.path);
    auto bank = LoadBank(FromUtf8(file.path));
    for (const Ref<TObject>& url : {BoxString(u"littleendian::" + FromUtf8(file.path)), Ref<TObject>(bank)}) {
        int handle = MixerPlaySound(Stream(url, false), 0, MixerAllocChannel());
        ASSERT_NE(handle, 0);
        ExpectLooped(Render(static_cast<int>(loaded.size())), loaded, 0, "url");
        MixerStopChannel(handle);
    }
}

TEST_F(StreamMixerTest, AFileCutShortEndsTheSoundAndItsThreadStopsWhenDropped) {
    // Data that ends before its header says: the frames that are there, then the end.
    std::string data;
    for (int i = 0; i < 5000; ++i) PutU16(data, 3000);
    std::string cut = _dir.Write("cut.wav", WavBuilder().Fmt(1, 1, 44100, 16).Data(data, 40000).Bytes());
    int handle = MixerPlaySound(Stream(cut, true), 0, MixerAllocChannel());
    ASSERT_NE(handle, 0);
    Frames out = Render(8000);
    EXPECT_EQ(out[4999].first, 3000);
    EXPECT_EQ(out[5000].first, 0);
    EXPECT_EQ(MixerChannelStatus(handle) & MIXER_DONE, MIXER_DONE);

    // An Ogg file cut in the middle plays some, then ends quietly.
    std::string ogg = EncodeOgg(2, 44100, 60000, [](int i, int c) { return 0.3f * ((i / 40 + c) % 2 ? 1.0f : -1.0f); });
    int oggHandle = MixerPlaySound(Stream(_dir.Write("cut.ogg", ogg.substr(0, ogg.size() / 2)), false), 0,
                                   MixerAllocChannel());
    ASSERT_NE(oggHandle, 0);
    out = Render(70000);
    EXPECT_GT(std::count_if(out.begin(), out.end(), [](auto frame) { return frame.first != 0; }), 10000);
    EXPECT_EQ(MixerChannelStatus(oggHandle) & MIXER_DONE, MIXER_DONE);

    EXPECT_EQ(StreamThreadsRunning(), 2);
    MixerStopChannel(handle);
    MixerFreeChannel(handle);
    MixerStopChannel(oggHandle);
    MixerFreeChannel(oggHandle);
    EXPECT_EQ(StreamThreadsRunning(), 0);
}

}  // namespace
}  // namespace vellum::test
