#pragma once

#include <string>
#include <vector>

namespace assetgen {

// Encodes a stereo loop as Ogg Vorbis (VBR at the given quality). The stream
// holds exactly left.size() frames and a fixed serial number, so the file is
// the same on every build. Throws std::runtime_error.
void WriteOggVorbis(const std::string& path, int rate, float quality, const std::vector<float>& left,
                    const std::vector<float>& right);

}  // namespace assetgen
