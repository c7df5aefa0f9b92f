#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

// Owns the encoder state; every part is cleared in reverse order of setup.
struct Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool dspReady = false, blockReady = false, streamReady = false;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (streamReady) ogg_stream_clear(&stream);
        if (blockReady) vorbis_block_clear(&block);
        if (dspReady) vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void WritePage(std::ofstream& file, const ogg_page& page) {
    file.write(reinterpret_cast<const char*>(page.header), page.header_len);
    file.write(reinterpret_cast<const char*>(page.body), page.body_len);
}

}  // namespace

void WriteOggVorbis(const std::string& path, int rate, float quality, const std::vector<float>& left,
                    const std::vector<float>& right) {
    if (left.size() != right.size()) throw std::runtime_error("channel lengths differ: " + path);
    Encoder enc;
    if (vorbis_encode_init_vbr(&enc.info, 2, rate, quality) != 0)
        throw std::runtime_error("the Vorbis encoder refused its settings: " + path);
    vorbis_comment_add_tag(&enc.comment, "LOOPSTART", "0");
    vorbis_comment_add_tag(&enc.comment, "LOOPLENGTH", std::to_string(left.size()).c_str());
    vorbis_analysis_init(&enc.dsp, &enc.info);
    enc.dspReady = true;
    vorbis_block_init(&enc.dsp, &enc.block);
    enc.blockReady = true;
    // A fixed serial number keeps the bytes the same from build to build.
    ogg_stream_init(&enc.stream, 0x7E1D0001);
    enc.streamReady = true;

    std::ofstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot write " + path);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&enc.dsp, &enc.comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&enc.stream, &header);
    ogg_stream_packetin(&enc.stream, &headerComment);
    ogg_stream_packetin(&enc.stream, &headerCode);
    ogg_page page;
    // The headers end on a page of their own, as decoders expect.
    while (ogg_stream_flush(&enc.stream, &page) != 0) WritePage(file, page);

    const size_t frames = left.size();
    const size_t chunk = 4096;
    size_t done = 0;
    bool ended = false;
    while (!ended) {
        const size_t n = std::min(chunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&enc.dsp, static_cast<int>(n));
            std::copy_n(left.begin() + static_cast<std::ptrdiff_t>(done), n, buffer[0]);
            std::copy_n(right.begin() + static_cast<std::ptrdiff_t>(done), n, buffer[1]);
            vorbis_analysis_wrote(&enc.dsp, static_cast<int>(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&enc.dsp, 0);  // end of stream: the last granule is the exact length
        }
        while (vorbis_analysis_blockout(&enc.dsp, &enc.block) == 1) {
            vorbis_analysis(&enc.block, nullptr);
            vorbis_bitrate_addblock(&enc.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&enc.dsp, &packet) == 1) {
                ogg_stream_packetin(&enc.stream, &packet);
                while (!ended && ogg_stream_pageout(&enc.stream, &page) != 0) {
                    WritePage(file, page);
                    ended = ogg_page_eos(&page) != 0;
                }
            }
        }
    }
    file.flush();
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
