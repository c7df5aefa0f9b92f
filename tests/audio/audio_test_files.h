#pragma once
// Test files made by the tests themselves: WAV bytes laid out by hand,
// Ogg Vorbis encoded with libvorbisenc, and a private temporary folder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vellum::test {

// Little-endian byte writers.
void PutU16(std::string& out, int value);
void PutU32(std::string& out, std::uint32_t value);

// A RIFF WAVE file built chunk by chunk.
class WavBuilder {
public:
    // A "fmt " chunk of 16 bytes plus extra bytes after the standard fields.
    WavBuilder& Fmt(int tag, int channels, int hertz, int bits, int extra = 0);
    // Any chunk; an odd-sized one gets its pad byte unless pad is false.
    WavBuilder& Chunk(const std::string& id, const std::string& body, bool pad = true);
    // A "data" chunk whose size field says declared bytes (default: the body's).
    WavBuilder& Data(const std::string& body, std::int64_t declared = -1);
    // The whole file.
    std::string Bytes() const;

private:
    std::string _chunks;
};

// Encodes frames of channels x hertz audio; sample(frame, channel) gives
// values in -1..1.
std::string EncodeOgg(int channels, int hertz, int frames, const std::function<float(int, int)>& sample,
                      float quality = 0.4f, int serial = 1234);

// An Ogg stream of ready-made packets: the first alone on its page, then
// one page for each; the last ends the stream at granule position frames.
std::string OggPages(const std::vector<std::string>& packets, std::int64_t frames, int serial = 1234);

// Recomputes the checksum of every whole page, after a test changed bytes;
// bytes between pages are skipped, as the Ogg fuzzer does.
void FixOggChecksums(std::string& ogg);

// Adds delta to the granule position of the last page of an Ogg file,
// keeping its checksum valid, so the file claims more frames than it has.
void StretchLastGranule(std::string& ogg, std::int64_t delta);

// A folder of its own for one test, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path Path(const std::string& name) const { return _dir / name; }
    // Writes bytes to name and returns its path as text.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path _dir;
};

}  // namespace vellum::test
