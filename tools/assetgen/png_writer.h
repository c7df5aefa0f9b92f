#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// Writes 8-bit RGBA rows as a PNG with fixed settings and no time stamp, so
// the same pixels always give the same bytes. Throws std::runtime_error.
void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace assetgen
