#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

void Put16(std::vector<char>& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::vector<char>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

void WriteWav(const std::string& path, int channels, int rate, const std::vector<float>& interleaved) {
    const auto dataBytes = static_cast<uint32_t>(interleaved.size() * 2);
    const auto blockAlign = static_cast<uint32_t>(channels * 2);
    std::vector<char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // integer PCM
    Put16(out, static_cast<uint32_t>(channels));
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (float s : interleaved) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put16(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
