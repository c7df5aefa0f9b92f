#pragma once
// Page checksums recomputed before decoding, so mutated pages get past the
// container's check and reach the Vorbis headers, granule positions and
// decoding.

#include <ogg/ogg.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellum::fuzz {

// Sets the checksum of every whole page found in bytes.
inline void FixPageChecksums(std::vector<uint8_t>& bytes) {
    size_t pos = 0;
    while (pos + 27 <= bytes.size()) {
        uint8_t* page = bytes.data() + pos;
        if (page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S') {
            ++pos;
            continue;
        }
        size_t headerLength = 27 + page[26];
        if (pos + headerLength > bytes.size()) return;
        size_t bodyLength = 0;
        for (int i = 0; i < page[26]; ++i) bodyLength += page[27 + i];
        if (pos + headerLength + bodyLength > bytes.size()) return;
        ogg_page view;
        view.header = page;
        view.header_len = static_cast<long>(headerLength);
        view.body = page + headerLength;
        view.body_len = static_cast<long>(bodyLength);
        ogg_page_checksum_set(&view);
        pos += headerLength + bodyLength;
    }
}

}  // namespace vellum::fuzz
