// LoadAudioSample: urls, loader order, start position and error handling.

#include <gtest/gtest.h>

#include <cmath>

#include "sample/audio_decoder.h"
#include "sample/format_loaders.h"
#include "audio_test_files.h"
#include "audio_unit_util.h"
#include "stream/bank.h"

namespace vellum::test {
namespace {

std::string SmallWav() { return WavBuilder().Fmt(1, 1, 8000, 8).Data(std::string(80, '\x90')).Bytes(); }

std::string SmallOgg() {
    return EncodeOgg(1, 8000, 4000, [](int i, int) { return 0.5f * std::sin(static_cast<float>(i) * 0.3f); });
}

TEST(SampleLoaderTest, WavIsTriedBeforeOgg) {
    InitAudioModule();
    auto first = FirstAudioSampleLoader();
    ASSERT_TRUE(first);
    EXPECT_TRUE(Cast<TAudioSampleLoaderWAV>(first));
    ASSERT_TRUE(first->_succ);
    EXPECT_TRUE(Cast<TAudioSampleLoaderOGG>(first->_succ));
}

TEST(SampleLoaderTest, ALoaderRegisteredTwiceIsAskedOnce) {
    struct Counter : TAudioSampleLoader {
        Ref<TAudioSample> LoadAudioSample(const Ref<TStream>&) override {
            ++asked;
            return nullptr;
        }
        int asked = 0;
    };
    auto counter = New<Counter>();
    RegisterAudioSampleLoader(counter);
    RegisterAudioSampleLoader(counter);  // linked again, the search would never end
    TempDir dir;
    EXPECT_EQ(LoadAudioSample(FromUtf8(dir.Write("junk.bin", "not a sound at all"))), nullptr);
    EXPECT_EQ(counter->asked, 1);
}

TEST(SampleLoaderTest, AProgramsOwnLoaderServesStreamedSoundsToo) {
    // A made-up format: "RAW8" and then 8-bit mono frames at 8000 Hz.
    struct Raw8 : TAudioSampleLoader {
        Ref<TAudioSample> LoadAudioSample(const Ref<TStream>& stream) override {
            char magic[4] = {};
            if (stream->Read(magic, 4) != 4 || std::string(magic, 4) != "RAW8") return nullptr;
            int frames = stream->Size() - 4;
            auto sample = TAudioSample::Create(frames, 8000, SF_MONO8);
            stream->Read(sample->samples, frames);
            return sample;
        }
    };
    InitAudioModule();
    RegisterAudioSampleLoader(New<Raw8>());
    auto decoder = OpenAudioDecoder(New<ScriptedStream>("RAW8" + std::string(300, '\x42')));
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->Format(), SF_MONO8);
    EXPECT_EQ(decoder->Hertz(), 8000);
    unsigned char frames[512];
    ASSERT_EQ(decoder->Read(frames, 512), 300);
    EXPECT_EQ(frames[299], 0x42);
    EXPECT_EQ(decoder->Read(frames, 512), 0);
    ASSERT_TRUE(decoder->Rewind());  // a loop starts again
    EXPECT_EQ(decoder->Read(frames, 100), 100);
    // The engine's own formats still come first.
    EXPECT_TRUE(OpenAudioDecoder(New<ScriptedStream>(SmallWav())));
}

TEST(SampleLoaderTest, LoadsFromPathsStreamsAndBanks) {
    InitAudioModule();
    TempDir dir;
    std::string path = dir.Write("blip.wav", SmallWav());
    auto fromPath = LoadAudioSample(FromUtf8(path));
    ASSERT_TRUE(fromPath);
    EXPECT_EQ(fromPath->length, 80);

    std::string bytes = SmallOgg();
    auto bank = TBank::Create(static_cast<int>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), bank->Buf());
    auto fromBank = LoadAudioSample(Ref<TObject>(bank));
    ASSERT_TRUE(fromBank);
    EXPECT_EQ(fromBank->length, 4000);

    EXPECT_FALSE(LoadAudioSample(FromUtf8(dir.Path("missing.wav").string())));
    EXPECT_FALSE(LoadAudioSample(Ref<TObject>()));
}

TEST(SampleLoaderTest, EveryLoaderStartsWhereTheStreamWas) {
    InitAudioModule();
    for (const std::string& file : {SmallWav(), SmallOgg()}) {
        auto stream = New<ScriptedStream>("junk" + file);
        stream->Seek(4);
        auto sample = LoadAudioSample(Ref<TObject>(stream));
        EXPECT_TRUE(sample);
        EXPECT_EQ(stream->closed, 0);  // the caller's stream stays open
    }
}

TEST(SampleLoaderTest, StreamThatCannotSeekIsRefused) {
    InitAudioModule();
    auto stream = New<ScriptedStream>(SmallWav());
    stream->seekable = false;
    try {
        LoadAudioSample(Ref<TObject>(stream));
        ADD_FAILURE() << "no error";
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Stream is not seekable");
    }
}

TEST(SampleLoaderTest, StreamErrorsFailTheLoaderButOtherErrorsPropagate) {
    InitAudioModule();
    for (const std::string& file : {SmallWav(), SmallOgg()}) {
        auto failing = New<ScriptedStream>(file);
        failing->failAt = static_cast<int>(file.size()) / 2;
        EXPECT_FALSE(LoadAudioSample(Ref<TObject>(failing)));

        // A runtime error from the stream reaches the caller, even from
        // inside the Ogg decoder's callbacks.
        auto broken = New<ScriptedStream>(file);
        broken->failAt = static_cast<int>(file.size()) / 2;
        broken->streamError = false;
        EXPECT_THROW(LoadAudioSample(Ref<TObject>(broken)), TRuntimeException);
    }
}

}  // namespace
}  // namespace vellum::test
