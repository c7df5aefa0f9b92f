// Streamed sounds' threads open their urls through the stream factories
// and the embedded-data table while the main thread registers more of
// both, and more sample loaders, whose chain a loading thread searches.
// Under ThreadSanitizer (./test runs this program so too) a search that
// could meet a half-linked entry is a failure.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "audio/audio_module.h"
#include "audio/sample_loader.h"
#include "audio_test_files.h"
#include "streaming/stream_feed.h"
#include "sample/audio_stream.h"
#include "stream/incbin.h"
#include "stream/stream_factory.h"

namespace vellum::test {
namespace {

struct NoFactory : TStreamFactory {
    Ref<TStream> CreateStream(const Ref<TObject>&, const String&, const String&, int, int) override { return nullptr; }
};

struct NoLoader : TAudioSampleLoader {
    Ref<TAudioSample> LoadAudioSample(const Ref<TStream>&) override { return nullptr; }
};

const std::string& Tone() {
    static const std::string wav = [] {
        std::string samples;
        for (int i = 0; i < 3000; ++i) PutU16(samples, (i * 97 % 4000) - 2000);
        return WavBuilder().Fmt(1, 1, 44100, 16).Data(samples).Bytes();
    }();
    return wav;
}

TEST(StreamRegistries, ThreadsOpenUrlsWhileTheMainThreadRegisters) {
    InitAudioModule();
    const std::string& tone = Tone();
    RegisterIncbin(u"race/tone.wav", tone.data(), static_cast<int>(tone.size()));
    // Through two factories: the byte-order one, then the embedded data's.
    auto sound = TAudioStream::Open(BoxString(u"littleendian::incbin::race/tone.wav"), true);
    ASSERT_NE(sound, nullptr);

    std::atomic<bool> done{false};
    std::atomic<int> loads{0};
    std::thread loading([&] {
        while (!done.load())
            if (LoadAudioSample(u"incbin::race/tone.wav")) ++loads;
    });
    for (int round = 0; round < 20; ++round) {
        // Every voice but the first opens the url again on its own thread.
        std::vector<std::unique_ptr<TStreamFeed>> voices;
        for (int i = 0; i < 4; ++i) voices.push_back(std::make_unique<TStreamFeed>(sound, SF_STEREO16LE, 2048));
        RegisterStreamFactory(New<NoFactory>());
        RegisterAudioSampleLoader(New<NoLoader>());
        RegisterIncbin(u"race/copy" + ToString(round) + u".wav", tone.data(), static_cast<int>(tone.size()));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!StreamFeedsSettled() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        for (const auto& voice : voices) EXPECT_EQ(voice->Ring()->Space(), 0) << "round " << round;
    }
    done = true;
    loading.join();
    EXPECT_GT(loads.load(), 0);
}

}  // namespace
}  // namespace vellum::test
