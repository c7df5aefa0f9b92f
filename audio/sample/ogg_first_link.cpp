#include "sample/ogg_first_link.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <vector>

namespace vellum {

namespace {

constexpr int kChunk = 1 << 14;

// Owns a page framer and clears it however the scan ends.
class OggSync {
public:
    OggSync() { ogg_sync_init(&_sync); }
    ~OggSync() { ogg_sync_clear(&_sync); }
    OggSync(const OggSync&) = delete;
    OggSync& operator=(const OggSync&) = delete;
    ogg_sync_state* get() { return &_sync; }

private:
    ogg_sync_state _sync;
};

}  // namespace

int OggFirstLinkEnd(TStream& stream) {
    OggSync sync;
    std::vector<int> serials;  // the opening group's streams
    bool opening = true;
    long long offset = stream.Pos();  // where the framer's next page or skip begins
    while (true) {
        ogg_page page;
        long framed = ogg_sync_pageseek(sync.get(), &page);
        if (framed < 0) {
            offset -= framed;  // bytes skipped while looking for a page
            continue;
        }
        if (framed == 0) {
            char* buffer = ogg_sync_buffer(sync.get(), kChunk);
            int got = stream.Read(buffer, kChunk);
            if (got <= 0) return stream.Pos();
            ogg_sync_wrote(sync.get(), got);
            continue;
        }
        int serial = ogg_page_serialno(&page);
        bool known = std::find(serials.begin(), serials.end(), serial) != serials.end();
        if (ogg_page_bos(&page) && known) return static_cast<int>(offset);  // a stream cannot start twice
        if (opening && ogg_page_bos(&page)) {
            serials.push_back(serial);
        } else {
            opening = false;
            if (std::find(serials.begin(), serials.end(), serial) == serials.end())
                return static_cast<int>(offset);
        }
        offset += framed;
    }
}

}  // namespace vellum
