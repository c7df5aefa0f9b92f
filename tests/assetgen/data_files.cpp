#include "data_files.h"

#include <png.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assetgen_test {

std::filesystem::path DataDir() { return ASSETGEN_DATA; }

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Picture ReadPng(const std::filesystem::path& path) {
    const auto bytes = ReadBytes(path);
    Picture picture;
    // The header says how the file was written, before any conversion.
    if (bytes.size() < 33 || png_sig_cmp(bytes.data(), 0, 8) != 0) throw std::runtime_error("not a PNG: " + path.string());
    picture.bitDepth = bytes[24];
    picture.colorType = bytes[25];

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw std::runtime_error("libpng rejected " + path.string());
    image.format = PNG_FORMAT_RGBA;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr))
        throw std::runtime_error("libpng could not decode " + path.string());
    return picture;
}

namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
    return v;
}

}  // namespace

Sound ReadWav(const std::filesystem::path& path) {
    const auto b = ReadBytes(path);
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        throw std::runtime_error("not a WAV file: " + path.string());
    Sound sound;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t size = Le(b, at + 4, 4);
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0) {
            sound.format = static_cast<int>(Le(b, at + 8, 2));
            sound.channels = static_cast<int>(Le(b, at + 10, 2));
            sound.rate = static_cast<int>(Le(b, at + 12, 4));
            sound.bits = static_cast<int>(Le(b, at + 22, 2));
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (at + 8 + size > b.size()) throw std::runtime_error("truncated data chunk: " + path.string());
            for (size_t i = 0; i + 1 < size; i += 2)
                sound.samples.push_back(static_cast<float>(static_cast<int16_t>(Le(b, at + 8 + i, 2))) / 32768.0f);
        }
        at += 8 + size + (size & 1);
    }
    return sound;
}

Music ReadOgg(const std::filesystem::path& path) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) throw std::runtime_error("vorbisfile rejected " + path.string());
    Music music;
    const vorbis_info* info = ov_info(&vf, -1);
    music.channels = info->channels;
    music.rate = static_cast<int>(info->rate);
    music.declaredFrames = ov_pcm_total(&vf, -1);
    const vorbis_comment* vc = ov_comment(&vf, -1);
    for (int i = 0; i < vc->comments; ++i) music.comments.emplace_back(vc->user_comments[i], static_cast<size_t>(vc->comment_lengths[i]));
    music.pcm.resize(static_cast<size_t>(music.channels));
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n < 0) {
            ov_clear(&vf);
            throw std::runtime_error("decode error in " + path.string());
        }
        if (n == 0) break;
        for (int c = 0; c < music.channels; ++c) music.pcm[static_cast<size_t>(c)].insert(music.pcm[static_cast<size_t>(c)].end(), pcm[c], pcm[c] + n);
    }
    ov_clear(&vf);
    return music;
}

float Peak(const std::vector<float>& samples, size_t begin, size_t end) {
    float peak = 0.0f;
    for (size_t i = begin; i < end; ++i) peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

float Rms(const std::vector<float>& samples, size_t begin, size_t end) {
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return end > begin ? static_cast<float>(std::sqrt(sum / static_cast<double>(end - begin))) : 0.0f;
}

std::vector<float> Steps(const std::vector<float>& samples) {
    std::vector<float> steps;
    for (size_t i = 1; i < samples.size(); ++i) steps.push_back(std::fabs(samples[i] - samples[i - 1]));
    return steps;
}

std::vector<float> Bends(const std::vector<float>& samples) {
    std::vector<float> bends;
    for (size_t i = 1; i + 1 < samples.size(); ++i)
        bends.push_back(std::fabs(samples[i + 1] - 2.0f * samples[i] + samples[i - 1]));
    return bends;
}

float Percentile(std::vector<float> values, double q) {
    if (values.empty()) return 0.0f;
    const auto nth = values.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

}  // namespace assetgen_test
