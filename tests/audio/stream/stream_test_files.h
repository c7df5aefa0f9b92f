#pragma once
// Files for the streamed-sound tests, in every layout a streamed sound
// reads, all of odd lengths and never silent, and the frames of each as
// the fully loaded sample gives them.

#include <string>
#include <vector>

#include "audio/audio_sample.h"
#include "audio_test_files.h"

namespace vellum::test {

struct StreamFile {
    std::string name;
    std::string path;
};

// 44.1 kHz WAV (8- and 16-bit, mono and stereo) and Ogg Vorbis (mono and
// stereo), written into dir.
std::vector<StreamFile> WriteStreamFiles(const TempDir& dir);

// A file's frames as loaded whole, as 16-bit left and right values
// (mono doubled), the way the mixer and the "DirectSound" driver play them.
std::vector<std::pair<int, int>> LoadedFrames(const std::string& path);

}  // namespace vellum::test
