#pragma once

// Readers for the generated Data folder, built on the reference decoders
// (libpng, vorbisfile) and a plain RIFF parser, so the tests check the files
// as any player would see them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen_test {

// The Data folder the build wrote beside the game.
std::filesystem::path DataDir();

struct Picture {
    int width = 0, height = 0;
    int colorType = -1, bitDepth = 0;
    std::vector<uint8_t> rgba;  // straight alpha, row by row

    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};
Picture ReadPng(const std::filesystem::path& path);

struct Sound {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<float> samples;  // interleaved, -1..1
    double Seconds() const { return channels ? static_cast<double>(samples.size()) / channels / rate : 0.0; }
};
Sound ReadWav(const std::filesystem::path& path);

struct Music {
    int channels = 0, rate = 0;
    int64_t declaredFrames = 0;           // the stream's own length
    std::vector<std::string> comments;    // "TAG=value"
    std::vector<std::vector<float>> pcm;  // one vector per channel
};
Music ReadOgg(const std::filesystem::path& path);

// Loudest absolute sample and root mean square of a range of samples.
float Peak(const std::vector<float>& samples, size_t begin, size_t end);
float Rms(const std::vector<float>& samples, size_t begin, size_t end);

// Absolute differences between neighbouring samples.
std::vector<float> Steps(const std::vector<float>& samples);

// Absolute second differences: how sharply the wave bends.
std::vector<float> Bends(const std::vector<float>& samples);

// The value below which the fraction q (0..1) of the values lie.
float Percentile(std::vector<float> values, double q);

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace assetgen_test
