// The Ogg Vorbis loader, over files encoded by libvorbisenc.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include <ogg/ogg.h>

#include "audio_test_files.h"
#include "audio_unit_util.h"

namespace vellum::test {
namespace {

constexpr float kTwoPi = 6.2831853f;

float Tone(int frame, int hertz, float pitch) {
    return std::sin(kTwoPi * pitch * static_cast<float>(frame) / static_cast<float>(hertz));
}

// A tone with noise, which does not compress into a few pages.
float Busy(int frame, int hertz) {
    unsigned hash = static_cast<unsigned>(frame) * 2654435761u;
    return 0.5f * Tone(frame, hertz, 500) + 0.3f * static_cast<float>(hash >> 8) / 16777216.0f - 0.15f;
}

double Rms(const Ref<TAudioSample>& sample, int channel) {
    int channels = SampleChannels(sample->format);
    auto* values = reinterpret_cast<const short*>(sample->samples);
    double sum = 0;
    for (int i = 0; i < sample->length; ++i) {
        double v = values[i * channels + channel];
        sum += v * v;
    }
    return std::sqrt(sum / sample->length);
}

TEST(OggLoaderTest, MonoAndStereoAtTheirOwnRate) {
    auto mono = LoadBytes(EncodeOgg(1, 22050, 11025, [](int i, int) { return 0.5f * Tone(i, 22050, 440); }));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->format, SF_MONO16LE);
    EXPECT_EQ(mono->hertz, 22050);
    EXPECT_EQ(mono->length, 11025);
    EXPECT_NEAR(Rms(mono, 0), 0.5 * 32767 / std::sqrt(2.0), 600);

    // Left at half scale, right at a quarter: the channels keep their order.
    auto stereo = LoadBytes(EncodeOgg(2, 44100, 30000, [](int i, int c) {
        return (c == 0 ? 0.5f : 0.25f) * Tone(i, 44100, 330);
    }));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->format, SF_STEREO16LE);
    EXPECT_EQ(stereo->hertz, 44100);
    EXPECT_EQ(stereo->length, 30000);
    EXPECT_NEAR(Rms(stereo, 0) / Rms(stereo, 1), 2.0, 0.1);
}

TEST(OggLoaderTest, MoreThanTwoChannelsIsRefused) {
    auto bytes = EncodeOgg(3, 22050, 5000, [](int i, int c) { return 0.3f * Tone(i, 22050, 200.0f * (c + 1)); });
    EXPECT_FALSE(LoadBytes(bytes));
}

TEST(OggLoaderTest, StreamEndingBeforeItsDeclaredLengthLeavesSilence) {
    const int frames = 100000;  // several pages, so only the last one claims more
    auto bytes = EncodeOgg(1, 22050, frames, [](int i, int) { return Busy(i, 22050); });
    StretchLastGranule(bytes, 5000);
    auto sample = LoadBytes(bytes);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->length, frames + 5000);
    auto* values = reinterpret_cast<const short*>(sample->samples);
    EXPECT_GT(std::abs(values[frames / 2]) + std::abs(values[frames / 2 + 7]), 0);
    for (int i = frames + 2048; i < sample->length; ++i) ASSERT_EQ(values[i], 0) << "frame " << i;
}

TEST(OggLoaderTest, AbsurdDeclaredLengthIsNotAllocated) {
    const int frames = 100000;
    auto bytes = EncodeOgg(1, 44100, frames, [](int i, int) { return Busy(i, 44100); });
    StretchLastGranule(bytes, 400000000);  // 1.6 GB of frames that are not there
    auto sample = LoadBytes(bytes);
    ASSERT_TRUE(sample);
    EXPECT_GE(sample->length, frames);
    EXPECT_LT(sample->length, frames + 4096);
}

TEST(OggLoaderTest, DamagedFilesFailCleanly) {
    auto bytes = EncodeOgg(2, 22050, 22050, [](int i, int c) { return 0.5f * Tone(i, 22050, 300.0f + 100.0f * c); });
    // Cut short: loads what is there or nothing.
    auto cut = LoadBytes(bytes.substr(0, bytes.size() * 3 / 5));
    if (cut) {
        EXPECT_LE(cut->length, 22050);
    }
    // Headers only, and a corrupted setup header.
    EXPECT_FALSE(LoadBytes(bytes.substr(0, 200)));
    std::string garbled = bytes;
    for (size_t i = 120; i < 400 && i < garbled.size(); i += 3) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    LoadBytes(garbled);  // whatever it gives, it must not crash or leak
}

TEST(OggLoaderTest, OnlyTheFirstChainedStreamIsLoaded) {
    auto first = EncodeOgg(1, 22050, 30000, [](int i, int) { return Busy(i, 22050); });
    auto second = EncodeOgg(2, 44100, 50000, [](int i, int) { return Busy(i, 44100); }, 0.4f, 99);
    auto sample = LoadBytes(first + second);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->format, SF_MONO16LE);
    EXPECT_EQ(sample->hertz, 22050);
    EXPECT_EQ(sample->length, 30000);

    // A second stream with damaged setup headers: the decoder must not be
    // shown it (it loses memory over one), and the first still loads.
    for (size_t i = 200; i < 2000 && i < second.size(); i += 7) second[i] = static_cast<char>(second[i] ^ 0x21);
    FixOggChecksums(second);
    sample = LoadBytes(first + second);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->length, 30000);
}

// Packet bits written LSB first, as Vorbis reads them.
class PacketWriter {
public:
    PacketWriter() { oggpack_writeinit(&_buffer); }
    ~PacketWriter() { oggpack_writeclear(&_buffer); }
    PacketWriter& Bits(unsigned long value, int bits) {
        oggpack_write(&_buffer, value, bits);
        return *this;
    }
    PacketWriter& Text(const std::string& text) {
        for (char c : text) Bits(static_cast<unsigned char>(c), 8);
        return *this;
    }
    std::string Packet() {
        return std::string(reinterpret_cast<char*>(oggpack_get_buffer(&_buffer)),
                           static_cast<size_t>(oggpack_bytes(&_buffer)));
    }

private:
    oggpack_buffer _buffer;
};

// Headers of one channel at 22050 Hz whose setup has a single codebook of
// 2^20 entries, each 20 bits long, described in a few bytes; eight audio
// packets follow, so that decoding starts.
std::string OggWithHugeCodebook() {
    PacketWriter id, comment, setup;
    id.Text("\x01vorbis").Bits(0, 32).Bits(1, 8).Bits(22050, 32).Bits(0, 32).Bits(0, 32).Bits(0, 32);
    id.Bits(8, 4).Bits(11, 4).Bits(1, 1);
    comment.Text("\x03vorbis").Bits(0, 32).Bits(0, 32).Bits(1, 1);
    setup.Text("\x05vorbis").Bits(0, 8);
    setup.Bits(0x564342, 24).Bits(1, 16).Bits(1 << 20, 24).Bits(1, 1).Bits(19, 5).Bits(1 << 20, 21).Bits(0, 4);
    setup.Bits(0, 6).Bits(0, 16);                                     // time
    setup.Bits(0, 6).Bits(1, 16).Bits(0, 5).Bits(0, 2).Bits(0, 4);    // floor 1 without partitions
    setup.Bits(0, 6).Bits(0, 16).Bits(0, 24).Bits(0, 24).Bits(0, 24);  // residue 0 ...
    setup.Bits(0, 6).Bits(0, 8).Bits(0, 3).Bits(0, 1);                 // ... grouped by book 0
    setup.Bits(0, 6).Bits(0, 16).Bits(0, 1).Bits(0, 1).Bits(0, 2).Bits(0, 8).Bits(0, 8).Bits(0, 8);  // mapping
    setup.Bits(0, 6).Bits(0, 1).Bits(0, 16).Bits(0, 16).Bits(0, 8);   // mode
    setup.Bits(1, 1);
    std::vector<std::string> packets{id.Packet(), comment.Packet(), setup.Packet()};
    for (int i = 0; i < 8; i++) packets.push_back(std::string(1, '\0'));
    return OggPages(packets, 7 * 128);
}

// libvorbis unpacks codebooks with plain malloc and, once decoding starts,
// sorts their entries on the stack (12 bytes each): this file overflowed
// the stack. Such a book is refused before libvorbis sees it.
TEST(OggLoaderTest, CodebookTooLargeForItsFileIsRefusedBeforeLibvorbisSeesIt) {
    EXPECT_FALSE(LoadBytes(OggWithHugeCodebook()));
}

// Found by fuzzing: the second page repeats the stream-start flag and claims
// an absurd granule position; opening it must free all the decoder took.
TEST(OggLoaderTest, DamagedSecondPageLeavesNothingBehind) {
    std::ifstream in(VELLUM_FUZZ_SEEDS "/ogg/damaged_second_page.ogg", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(bytes.empty());
    FixOggChecksums(bytes);  // as the fuzzer does, so the pages reach the decoder
    LoadBytes(bytes);  // LeakSanitizer checks the rest at exit
}

}  // namespace
}  // namespace vellum::test
