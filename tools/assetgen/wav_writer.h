#pragma once

#include <string>
#include <vector>

namespace assetgen {

// Writes interleaved samples (-1..1, clipped) as a 16-bit PCM WAV file.
// Throws std::runtime_error.
void WriteWav(const std::string& path, int channels, int rate, const std::vector<float>& interleaved);

}  // namespace assetgen
