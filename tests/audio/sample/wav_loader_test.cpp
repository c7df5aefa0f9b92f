// The WAV loader, over files laid out byte by byte.

#include <gtest/gtest.h>

#include <cstring>

#include "audio_test_files.h"
#include "audio_unit_util.h"

namespace vellum::test {
namespace {

std::string Bytes(int count, int seed = 1) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(i * 13 + seed));
    return bytes;
}

bool SameBytes(const Ref<TAudioSample>& sample, const std::string& bytes, size_t count) {
    return std::memcmp(sample->samples, bytes.data(), count) == 0;
}

TEST(WavLoaderTest, EightBitMonoAndSixteenBitStereo) {
    std::string mono = Bytes(101);
    auto sample = LoadBytes(WavBuilder().Fmt(1, 1, 22050, 8).Data(mono).Bytes());
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->format, SF_MONO8);
    EXPECT_EQ(sample->hertz, 22050);
    EXPECT_EQ(sample->length, 101);
    EXPECT_TRUE(SameBytes(sample, mono, 101));

    std::string stereo = Bytes(402);  // 100 whole frames and 2 stray bytes
    sample = LoadBytes(WavBuilder().Fmt(1, 2, 44100, 16).Data(stereo).Bytes());
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->format, SF_STEREO16LE);
    EXPECT_EQ(sample->length, 100);
    EXPECT_TRUE(SameBytes(sample, stereo, 400));

    sample = LoadBytes(WavBuilder().Fmt(1, 1, 8000, 16).Data(Bytes(6)).Bytes());
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->format, SF_MONO16LE);
    sample = LoadBytes(WavBuilder().Fmt(1, 2, 8000, 8).Data(Bytes(6)).Bytes());
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->format, SF_STEREO8);
}

TEST(WavLoaderTest, SkipsExtraFormatBytesAndOtherChunks) {
    std::string data = Bytes(64, 5);
    auto longFmt = WavBuilder().Fmt(1, 1, 8000, 16, 2).Chunk("LIST", Bytes(26)).Data(data).Bytes();
    auto sample = LoadBytes(longFmt);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->length, 32);
    EXPECT_TRUE(SameBytes(sample, data, 64));

    // A chunk of odd size is followed by a pad byte before the next chunk.
    auto odd = WavBuilder().Fmt(1, 1, 8000, 8).Chunk("note", Bytes(7)).Chunk("LIST", Bytes(3)).Data(data).Bytes();
    sample = LoadBytes(odd);
    ASSERT_TRUE(sample);
    EXPECT_TRUE(SameBytes(sample, data, 64));

    // An odd-sized fmt chunk is padded the same way.
    auto oddFmt = WavBuilder().Fmt(1, 1, 8000, 8, 1).Data(data).Bytes();
    sample = LoadBytes(oddFmt);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->length, 64);
}

TEST(WavLoaderTest, RefusesWhatItCannotPlay) {
    std::string data = Bytes(48);
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(3, 1, 44100, 32).Data(data).Bytes()));       // float
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 2, 44100, 24).Data(data).Bytes()));       // 24-bit
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(0xFFFE, 2, 44100, 16, 24).Data(data).Bytes()));  // extensible
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 6, 44100, 16).Data(data).Bytes()));       // 6 channels
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 1, 0, 16).Data(data).Bytes()));           // no rate
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 1, 8000, 8).Chunk("LIST", data).Bytes()));  // no data chunk
    EXPECT_FALSE(LoadBytes("RIFX" + WavBuilder().Fmt(1, 1, 8000, 8).Data(data).Bytes().substr(4)));
    EXPECT_FALSE(LoadBytes(""));
}

TEST(WavLoaderTest, DeclaredSizesBeyondTheFileFailWithoutAllocatingThem) {
    std::string data = Bytes(100);
    // Shorter than declared: a read error inside the loader, so Null.
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 1, 8000, 8).Data(data, 101).Bytes()));
    // Sizes of about 2 GB and 4 GB from a damaged header; the test binary
    // refuses any single allocation over 256 MB.
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 2, 8000, 16).Data(data, 0x7FFFFFF0).Bytes()));
    EXPECT_FALSE(LoadBytes(WavBuilder().Fmt(1, 1, 8000, 8).Data(data, 0xFFFFFFF0).Bytes()));
    std::string hugeChunk = WavBuilder().Fmt(1, 1, 8000, 8).Bytes();
    hugeChunk += "LIST";
    PutU32(hugeChunk, 0xFFFFFFF1u);
    EXPECT_FALSE(LoadBytes(hugeChunk + data));
}

}  // namespace
}  // namespace vellum::test

// No test here needs a single allocation over 256 MB; one would mean that a
// length from a file header was trusted.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=256"; }
