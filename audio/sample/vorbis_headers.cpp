#include "sample/vorbis_headers.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "runtime/load_limits.h"

namespace vellum {

namespace {

// The three header packets of the first Vorbis bitstream.
class VorbisHeaderPackets {
public:
    VorbisHeaderPackets() { ogg_sync_init(&_sync); }
    ~VorbisHeaderPackets() {
        ogg_sync_clear(&_sync);
        if (_serialKnown) ogg_stream_clear(&_stream);
    }
    VorbisHeaderPackets(const VorbisHeaderPackets&) = delete;
    VorbisHeaderPackets& operator=(const VorbisHeaderPackets&) = delete;

    // Reads up to end; false when the stream ends before all three.
    bool Read(TStream& stream, int end) {
        constexpr int kChunk = 4096;
        while (packets.size() < 3) {
            ogg_page page;
            int framed = ogg_sync_pageout(&_sync, &page);
            if (framed < 0) continue;  // bytes skipped; the decoder skips them too
            if (framed == 0) {
                int want = std::min(kChunk, end - stream.Pos());
                if (want <= 0) return false;
                char* buffer = ogg_sync_buffer(&_sync, want);
                int got = stream.Read(buffer, want);
                if (got <= 0) return false;
                ogg_sync_wrote(&_sync, got);
                continue;
            }
            if (!_serialKnown) {
                // The identification header fills the first page of its stream.
                if (!ogg_page_bos(&page) || page.body_len < 7 || std::memcmp(page.body, "\x01vorbis", 7) != 0)
                    continue;
                ogg_stream_init(&_stream, ogg_page_serialno(&page));
                _serialKnown = true;
            }
            if (ogg_page_serialno(&page) != _stream.serialno) continue;
            if (ogg_stream_pagein(&_stream, &page) != 0) return false;
            ogg_packet packet;
            int out;
            while (packets.size() < 3 && (out = ogg_stream_packetout(&_stream, &packet)) != 0) {
                if (out < 0) return false;  // a gap inside the headers
                packets.emplace_back(packet.packet, packet.packet + packet.bytes);
            }
        }
        return true;
    }

    std::vector<std::vector<unsigned char>> packets;

private:
    ogg_sync_state _sync;
    ogg_stream_state _stream;
    bool _serialKnown = false;
};

// Bits read LSB first from a packet, as libvorbis reads them; past the
// end every read gives -1.
class Bits {
public:
    explicit Bits(std::vector<unsigned char>& packet) {
        oggpack_readinit(&_buffer, packet.data(), static_cast<int>(packet.size()));
    }
    long Read(int bits) { return bits == 0 ? 0 : oggpack_read(&_buffer, bits); }
    long BytesLeft() { return _buffer.storage - oggpack_bytes(&_buffer); }

private:
    oggpack_buffer _buffer;
};

int ILog(unsigned long v) {
    int bits = 0;
    while (v) bits++, v >>= 1;
    return bits;
}

// The largest v with v^dim <= entries, as libvorbis computes it for a
// lattice codebook.
long LatticeValues(long entries, long dim) {
    if (entries < 1 || dim < 1) return 0;
    auto fits = [&](long v) {
        long long acc = 1;
        for (long i = 0; i < dim && acc <= entries; i++) acc *= v;
        return acc <= entries;
    };
    long vals = std::max(1L, static_cast<long>(std::pow(static_cast<double>(entries), 1.0 / static_cast<double>(dim))));
    while (vals > 1 && !fits(vals)) vals--;
    while (fits(vals + 1)) vals++;
    return vals;
}

struct Book {
    long dim = 0;
    long entries = 0;
    int maptype = 0;
};

// A malloc of a small block costs this much besides what it holds.
constexpr long long kBlockOverhead = 32;

// Reads one codebook and adds what libvorbis allocates for it (unpacked,
// then made ready to decode); false when libvorbis would refuse it or it
// uses too many entries.
bool ReadBook(Bits& in, Book& book, long long& cost) {
    if (in.Read(24) != 0x564342) return false;
    book.dim = in.Read(16);
    book.entries = in.Read(24);
    if (book.entries < 0 || book.dim < 0 || ILog(static_cast<unsigned long>(book.dim)) + ILog(static_cast<unsigned long>(book.entries)) > 24)
        return false;
    long used = 0;
    long ordered = in.Read(1);
    if (ordered == 0) {
        long sparse = in.Read(1);
        if (sparse < 0 || (book.entries * (sparse ? 1 : 5) + 7) >> 3 > in.BytesLeft()) return false;
        for (long i = 0; i < book.entries; i++) {
            if (sparse && in.Read(1) == 0) continue;
            if (in.Read(5) < 0) return false;
            used++;
        }
    } else if (ordered == 1) {
        long length = in.Read(5) + 1;
        if (length == 0) return false;
        for (long i = 0; i < book.entries;) {
            long num = in.Read(ILog(static_cast<unsigned long>(book.entries - i)));
            if (num < 0 || length > 32 || num > book.entries - i || (num > 0 && (num - 1) >> (length - 1) > 1))
                return false;
            i += num, used += num;
            length++;
        }
    } else {
        return false;
    }
    if (used > MAX_VORBIS_BOOK_ENTRIES) return false;

    book.maptype = static_cast<int>(in.Read(4));
    long long values = 0;
    if (book.maptype == 1 || book.maptype == 2) {
        in.Read(32), in.Read(32);
        long quant = in.Read(4) + 1;
        if (in.Read(1) < 0) return false;
        values = book.maptype == 1 ? LatticeValues(book.entries, book.dim) : static_cast<long long>(book.entries) * book.dim;
        if ((values * quant + 7) >> 3 > in.BytesLeft()) return false;
        for (long long i = 0; i < values; i++) in.Read(static_cast<int>(quant));
        cost += values * 8;                                  // the quantised values
        cost += static_cast<long long>(used) * book.dim * 4;  // unpacked to floats
    } else if (book.maptype != 0) {
        return false;
    }
    // Code lengths, then codes, their order and lengths and the first-level table.
    cost += book.entries + static_cast<long long>(used) * 17 + 1024 + 8 * kBlockOverhead;
    return true;
}

bool ReadFloor(Bits& in, const std::vector<Book>& books, long long& cost) {
    long type = in.Read(16);
    auto bookOk = [&](long b) { return b >= 0 && b < static_cast<long>(books.size()); };
    if (type == 0) {
        long order = in.Read(8), rate = in.Read(16), barkmap = in.Read(16);
        in.Read(6), in.Read(8);
        long count = in.Read(4) + 1;
        if (order < 1 || rate < 1 || barkmap < 1 || count < 1) return false;
        for (long j = 0; j < count; j++) {
            long b = in.Read(8);
            if (!bookOk(b) || books[b].maptype == 0 || books[b].dim < 1) return false;
        }
        cost += 2 * (4097 * 4 + kBlockOverhead) + 1024;  // a map for each block size
        return true;
    }
    if (type != 1) return false;
    long partitions = in.Read(5);
    if (partitions < 0) return false;
    long classOf[31];
    long maxClass = -1;
    for (long j = 0; j < partitions; j++) {
        classOf[j] = in.Read(4);
        if (classOf[j] < 0) return false;
        maxClass = std::max(maxClass, classOf[j]);
    }
    long classDim[16] = {};
    for (long j = 0; j <= maxClass; j++) {
        classDim[j] = in.Read(3) + 1;
        long subs = in.Read(2);
        if (subs < 0) return false;
        if (subs && !bookOk(in.Read(8))) return false;
        for (long k = 0; k < 1 << subs; k++) {
            long b = in.Read(8) - 1;
            if (b < -1 || b >= static_cast<long>(books.size())) return false;
        }
    }
    in.Read(2);
    long rangeBits = in.Read(4);
    if (rangeBits < 0) return false;
    long posts = 0;
    for (long j = 0; j < partitions; j++) {
        posts += classDim[classOf[j]];
        if (posts > 63) return false;
    }
    for (long k = 0; k < posts; k++)
        if (in.Read(static_cast<int>(rangeBits)) < 0) return false;
    cost += 4096;
    return true;
}

int CountBits(long v) {
    int n = 0;
    for (; v; v >>= 1) n += static_cast<int>(v & 1);
    return n;
}

bool ReadResidue(Bits& in, const std::vector<Book>& books, long long& cost) {
    long type = in.Read(16);
    if (type < 0 || type > 2) return false;
    in.Read(24), in.Read(24), in.Read(24);
    long partitions = in.Read(6) + 1;
    long groupBook = in.Read(8);
    if (groupBook < 0) return false;
    long stages = 0;
    for (long j = 0; j < partitions; j++) {
        long cascade = in.Read(3);
        long high = in.Read(1);
        if (high < 0) return false;
        if (high) {
            long c = in.Read(5);
            if (c < 0) return false;
            cascade |= c << 3;
        }
        stages += CountBits(cascade);
    }
    for (long j = 0; j < stages; j++) {
        long b = in.Read(8);
        if (b < 0 || b >= static_cast<long>(books.size()) || books[b].maptype == 0) return false;
    }
    if (groupBook >= static_cast<long>(books.size())) return false;
    // Every partition pattern the group book can name gets a decode map.
    const Book& group = books[groupBook];
    if (group.dim < 1) return false;
    long long patterns = 1;
    for (long d = 0; d < group.dim; d++) {
        patterns *= partitions;
        if (patterns > group.entries) return false;
    }
    cost += patterns * (8 + kBlockOverhead + group.dim * 4) + partitions * (8 + 8 * 8 + kBlockOverhead);
    return true;
}

bool IdentificationFits(std::vector<unsigned char>& packet) {
    if (packet.size() < 30 || std::memcmp(packet.data(), "\x01vorbis", 7) != 0) return false;
    int channels = packet[11];
    return channels == 1 || channels == 2;
}

bool SetupFits(std::vector<unsigned char>& packet) {
    if (packet.size() < 7 || std::memcmp(packet.data(), "\x05vorbis", 7) != 0) return false;
    Bits in(packet);
    for (int i = 0; i < 7; i++) in.Read(8);
    long long cost = 0;
    std::vector<Book> books(static_cast<size_t>(in.Read(8) + 1));
    if (books.empty()) return false;
    for (Book& book : books)
        if (!ReadBook(in, book, cost) || cost > MAX_DECODER_WORK_BYTES) return false;
    long times = in.Read(6) + 1;
    if (times <= 0) return false;
    for (long i = 0; i < times; i++)
        if (in.Read(16) != 0) return false;
    long floors = in.Read(6) + 1;
    if (floors <= 0) return false;
    for (long i = 0; i < floors; i++)
        if (!ReadFloor(in, books, cost)) return false;
    long residues = in.Read(6) + 1;
    if (residues <= 0) return false;
    for (long i = 0; i < residues; i++)
        if (!ReadResidue(in, books, cost) || cost > MAX_DECODER_WORK_BYTES) return false;
    // Mappings and modes are small; libvorbis checks them itself.
    return true;
}

}  // namespace

bool VorbisHeadersAffordable(TStream& stream, int end) {
    VorbisHeaderPackets headers;
    if (!headers.Read(stream, end)) return false;
    return IdentificationFits(headers.packets[0]) && SetupFits(headers.packets[2]);
}

}  // namespace vellum
