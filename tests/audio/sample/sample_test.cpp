// TAudioSample: memory ownership and the format conversions.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "audio/audio_sample.h"
#include "sample/sample_convert.h"
#include "runtime/exception.h"

namespace vellum {
namespace {

std::vector<unsigned char> Convert(std::vector<unsigned char> bytes, int from, int to) {
    int frames = static_cast<int>(bytes.size()) / SampleBytesPerFrame(from);
    std::vector<unsigned char> out(static_cast<size_t>(frames * SampleBytesPerFrame(to)));
    ConvertSampleFrames(bytes.data(), from, out.data(), to, frames);
    return out;
}

int Le16(const std::vector<unsigned char>& b, size_t i) { return static_cast<short>(b[i] | b[i + 1] << 8); }

TEST(AudioSampleTest, OwnsItsMemoryUnlessStatic) {
    auto sample = TAudioSample::Create(10, 22050, SF_STEREO16LE);
    EXPECT_EQ(sample->capacity, 40);
    EXPECT_EQ(sample->ByteCount(), 40);
    EXPECT_EQ(sample->hertz, 22050);

    unsigned char foreign[6] = {1, 2, 3, 4, 5, 6};
    {
        auto wrapped = TAudioSample::CreateStatic(foreign, 3, 8000, SF_MONO16LE);
        EXPECT_EQ(wrapped->capacity, -1);
        auto copy = wrapped->Copy();
        EXPECT_EQ(copy->capacity, 6);
        copy->samples[0] = 99;
        EXPECT_EQ(std::memcmp(copy->samples + 1, foreign + 1, 5), 0);
    }
    EXPECT_EQ(foreign[0], 1);  // the wrapper neither freed nor changed it
}

TEST(AudioSampleTest, RefusesLengthsThatCannotBeAllocated) {
    EXPECT_THROW(TAudioSample::Create(-1, 44100, SF_MONO8), TRuntimeException);
    EXPECT_THROW(TAudioSample::Create(INT_MAX / 2, 44100, SF_STEREO16LE), TRuntimeException);
}

TEST(SampleConvertTest, EightBitMapsToTheFullSixteenBitRangeAndBack) {
    auto wide = Convert({0, 255, 128}, SF_MONO8, SF_MONO16LE);
    EXPECT_EQ(Le16(wide, 0), -32768);
    EXPECT_EQ(Le16(wide, 2), 32767);
    EXPECT_EQ(Le16(wide, 4), 128);
    EXPECT_EQ(Convert(wide, SF_MONO16LE, SF_MONO8), (std::vector<unsigned char>{0, 255, 128}));
}

TEST(SampleConvertTest, StereoToMonoAveragesTowardZero) {
    // L = 1000, R = -3001: (1000 - 3001) / 2 = -1000 (not -1001).
    std::vector<unsigned char> frame = {0xE8, 0x03, 0x47, 0xF4};
    auto mono = Convert(frame, SF_STEREO16LE, SF_MONO16LE);
    EXPECT_EQ(Le16(mono, 0), -1000);
    EXPECT_EQ(Convert(frame, SF_STEREO16LE, SF_MONO16BE), (std::vector<unsigned char>{0xFC, 0x18}));
    // 8-bit: L = -32768, R = 32767 average to 0, which is byte 127.
    EXPECT_EQ(Convert({0, 255}, SF_STEREO8, SF_MONO8), (std::vector<unsigned char>{127}));
}

TEST(SampleConvertTest, ByteOrderAndChannelLayouts) {
    EXPECT_EQ(Convert({0x12, 0x34, 0xAB, 0xCD}, SF_MONO16BE, SF_MONO16LE),
              (std::vector<unsigned char>{0x34, 0x12, 0xCD, 0xAB}));
    EXPECT_EQ(Convert({0x12, 0x34, 0x56, 0x78}, SF_STEREO16LE, SF_STEREO16BE),
              (std::vector<unsigned char>{0x34, 0x12, 0x78, 0x56}));
    EXPECT_EQ(Convert({0xFF, 0x7F, 0x00, 0x80}, SF_STEREO16LE, SF_STEREO8), (std::vector<unsigned char>{255, 0}));
    // Mono to stereo doubles the channel.
    EXPECT_EQ(Convert({0x34, 0x12}, SF_MONO16LE, SF_STEREO16LE), (std::vector<unsigned char>{0x34, 0x12, 0x34, 0x12}));
    EXPECT_EQ(Convert({200}, SF_MONO8, SF_STEREO8), (std::vector<unsigned char>{200, 200}));
}

TEST(SampleConvertTest, EveryFormatSurvivesTheTripThroughBigEndianStereo) {
    for (int format = SF_MONO8; format <= SF_STEREO16BE; ++format) {
        std::vector<unsigned char> bytes(256 * 4);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7 + i / 256);
        int bpf = SampleBytesPerFrame(format);
        bytes.resize(bytes.size() / static_cast<size_t>(bpf) * static_cast<size_t>(bpf));
        auto back = Convert(Convert(bytes, format, SF_STEREO16BE), SF_STEREO16BE, format);
        EXPECT_EQ(back, bytes) << "format " << format;
    }
}

TEST(SampleConvertTest, ConvertKeepsLengthAndRate) {
    auto sample = TAudioSample::Create(2, 11025, SF_MONO8);
    sample->samples[0] = 0;
    sample->samples[1] = 255;
    auto converted = sample->Convert(SF_STEREO16LE);
    EXPECT_EQ(converted->length, 2);
    EXPECT_EQ(converted->hertz, 11025);
    EXPECT_EQ(converted->format, SF_STEREO16LE);
    EXPECT_EQ(converted->capacity, 8);
    EXPECT_EQ(converted->samples[4], 0xFF);
    EXPECT_EQ(converted->samples[5], 0x7F);
}

TEST(SampleConvertTest, UnknownFormatsAreRefused) {
    auto sample = TAudioSample::Create(4, 8000, SF_MONO8);
    for (int bad : {0, 7, -1}) {
        try {
            sample->Convert(bad);
            ADD_FAILURE() << "format " << bad << " was converted";
        } catch (const TRuntimeException& e) {
            EXPECT_EQ(e.ToString(), u"Unimplemented sample format conversion");
        }
    }
    unsigned char byte = 0, out[4];
    EXPECT_THROW(ConvertSampleFrames(&byte, 9, out, SF_MONO8, 1), TRuntimeException);
}

}  // namespace
}  // namespace vellum
