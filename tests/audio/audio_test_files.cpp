#include "audio_test_files.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <fstream>
#include <random>
#include <stdexcept>

namespace vellum::test {

void PutU16(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

WavBuilder& WavBuilder::Fmt(int tag, int channels, int hertz, int bits, int extra) {
    std::string body;
    PutU16(body, tag);
    PutU16(body, channels);
    PutU32(body, static_cast<std::uint32_t>(hertz));
    PutU32(body, static_cast<std::uint32_t>(hertz * channels * bits / 8));
    PutU16(body, channels * bits / 8);
    PutU16(body, bits);
    body.append(static_cast<size_t>(extra), '\0');
    return Chunk("fmt ", body);
}

WavBuilder& WavBuilder::Chunk(const std::string& id, const std::string& body, bool pad) {
    _chunks += id;
    PutU32(_chunks, static_cast<std::uint32_t>(body.size()));
    _chunks += body;
    if (pad && body.size() % 2) _chunks.push_back('\0');
    return *this;
}

WavBuilder& WavBuilder::Data(const std::string& body, std::int64_t declared) {
    _chunks += "data";
    PutU32(_chunks, static_cast<std::uint32_t>(declared < 0 ? static_cast<std::int64_t>(body.size()) : declared));
    _chunks += body;
    return *this;
}

std::string WavBuilder::Bytes() const {
    std::string out = "RIFF";
    PutU32(out, static_cast<std::uint32_t>(4 + _chunks.size()));
    return out + "WAVE" + _chunks;
}

namespace {

void Drain(ogg_stream_state& stream, std::string& out, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.append(reinterpret_cast<char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<char*>(page.body), static_cast<size_t>(page.body_len));
    }
}

}  // namespace

std::string EncodeOgg(int channels, int hertz, int frames, const std::function<float(int, int)>& sample,
                      float quality, int serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, hertz, quality) != 0) throw std::runtime_error("vorbisenc setup");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    std::string out;
    ogg_packet id, comments, books;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &books);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &books);
    Drain(stream, out, true);

    constexpr int kChunk = 1024;
    for (int done = 0; done <= frames;) {
        int n = std::min(kChunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < n; ++i) buffer[c][i] = sample(done + i, c);
        }
        vorbis_analysis_wrote(&dsp, n);  // 0 marks the end
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                Drain(stream, out, false);
            }
        }
        if (n == 0) break;
        done += n;
    }
    Drain(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

namespace {

// The header and body lengths of the page at pos; false when it is not whole.
bool PageAt(const std::string& ogg, size_t pos, size_t& headerLength, size_t& bodyLength) {
    if (ogg.compare(pos, 4, "OggS") != 0 || pos + 27 > ogg.size()) return false;
    auto* header = reinterpret_cast<const unsigned char*>(&ogg[pos]);
    headerLength = 27 + header[26];
    if (pos + headerLength > ogg.size()) return false;
    bodyLength = 0;
    for (int i = 0; i < header[26]; ++i) bodyLength += header[27 + i];
    return pos + headerLength + bodyLength <= ogg.size();
}

void SetChecksum(std::string& ogg, size_t pos, size_t headerLength, size_t bodyLength) {
    ogg_page page;
    page.header = reinterpret_cast<unsigned char*>(&ogg[pos]);
    page.header_len = static_cast<long>(headerLength);
    page.body = page.header + headerLength;
    page.body_len = static_cast<long>(bodyLength);
    ogg_page_checksum_set(&page);
}

}  // namespace

std::string OggPages(const std::vector<std::string>& packets, std::int64_t frames, int serial) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    std::string out;
    for (size_t i = 0; i < packets.size(); i++) {
        std::string body = packets[i];
        ogg_packet packet{};
        packet.packet = reinterpret_cast<unsigned char*>(body.data());
        packet.bytes = static_cast<long>(body.size());
        packet.b_o_s = i == 0;
        packet.e_o_s = i + 1 == packets.size();
        packet.granulepos = i + 1 == packets.size() ? frames : 0;
        packet.packetno = static_cast<ogg_int64_t>(i);
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page)) {
            out.append(reinterpret_cast<char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<char*>(page.body), static_cast<size_t>(page.body_len));
        }
    }
    ogg_stream_clear(&stream);
    return out;
}

void FixOggChecksums(std::string& ogg) {
    size_t headerLength = 0, bodyLength = 0;
    for (size_t pos = ogg.find("OggS"); pos != std::string::npos; pos = ogg.find("OggS", pos + 1)) {
        if (!PageAt(ogg, pos, headerLength, bodyLength)) continue;
        SetChecksum(ogg, pos, headerLength, bodyLength);
        pos += headerLength + bodyLength - 1;
    }
}

void StretchLastGranule(std::string& ogg, std::int64_t delta) {
    size_t last = ogg.rfind("OggS");
    size_t headerLength = 0, bodyLength = 0;
    if (last == std::string::npos || !PageAt(ogg, last, headerLength, bodyLength))
        throw std::runtime_error("no Ogg page");
    auto* header = reinterpret_cast<unsigned char*>(&ogg[last]);
    std::int64_t granule = 0;
    for (int i = 0; i < 8; ++i) granule |= static_cast<std::int64_t>(header[6 + i]) << (8 * i);
    granule += delta;
    for (int i = 0; i < 8; ++i) header[6 + i] = static_cast<unsigned char>(granule >> (8 * i));
    SetChecksum(ogg, last, headerLength, bodyLength);
}

TempDir::TempDir() {
    std::random_device seed;
    _dir = std::filesystem::temp_directory_path() /
           ("vellum-audio-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(_dir);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(_dir, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name).string();
}

}  // namespace vellum::test
