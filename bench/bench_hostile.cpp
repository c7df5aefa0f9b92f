// What a hostile file costs against a well-formed file of the same size:
// the 200-byte PNG whose sPLT chunk claims 1.9 GB, and crafted headers for
// every loader (huge chunks, huge declared sizes, deep progressive scans,
// huge font glyphs, huge Vorbis codebooks). Each file is loaded through the
// engine's own entry points (LoadPixmap, LoadFont, LoadAudioSample) from a
// bank; the peak of heap bytes held during the load (every malloc of the
// process, libraries included, is counted) and the load's time are
// printed, median of 3 runs, hostile and well-formed alternating.
//   bench_hostile [REPRO_PNG]   (default ../shared/repro/png-2gb-chunk.png)

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <malloc.h>
#include <ogg/ogg.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "audio/audio_all.h"
#include "audio_test_files.h"
#include "bench_clock.h"
#include "graphics/pictures_all.h"
#include "stream/bank_functions.h"

// Every heap block of the process is counted by replacing malloc and its
// relatives with glibc's own behind a tally.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {

std::atomic<long long> held{0};
std::atomic<long long> peak{0};
std::atomic<long long> largestRequest{0};

void Note(size_t request, void* block) {
    long long r = static_cast<long long>(request), seen = largestRequest.load();
    while (r > seen && !largestRequest.compare_exchange_weak(seen, r)) {
    }
    if (!block) return;
    long long now = held += static_cast<long long>(malloc_usable_size(block));
    long long top = peak.load();
    while (now > top && !peak.compare_exchange_weak(top, now)) {
    }
}

void Forget(void* block) {
    if (block) held -= static_cast<long long>(malloc_usable_size(block));
}

}  // namespace

extern "C" {
void* malloc(size_t size) noexcept {
    void* p = __libc_malloc(size);
    Note(size, p);
    return p;
}
void* calloc(size_t count, size_t size) noexcept {
    void* p = __libc_calloc(count, size);
    Note(count * size, p);
    return p;
}
void* realloc(void* old, size_t size) noexcept {
    Forget(old);
    void* p = __libc_realloc(old, size);
    if (!p && old && size) Note(0, old);  // the old block stays
    Note(size, p);
    return p;
}
void free(void* p) noexcept {
    Forget(p);
    __libc_free(p);
}
void* memalign(size_t alignment, size_t size) noexcept {
    void* p = __libc_memalign(alignment, size);
    Note(size, p);
    return p;
}
void* aligned_alloc(size_t alignment, size_t size) noexcept { return memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
    *out = memalign(alignment, size);
    return *out || size == 0 ? 0 : 12;  // ENOMEM
}
}

using namespace vellum;

namespace {

using Bytes = std::string;

// ---- file builders -------------------------------------------------------

void PutBe32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<char>(v >> s));
}

// A PNG chunk with its checksum; length is what the chunk declares.
Bytes PngChunk(const char* type, const Bytes& data, uint32_t length) {
    Bytes out;
    PutBe32(out, length);
    Bytes body = std::string(type, 4) + data;
    out += body;
    PutBe32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
    return out;
}

Bytes PngIhdr(uint32_t width, uint32_t height, int depth, int colorType) {
    Bytes data;
    PutBe32(data, width);
    PutBe32(data, height);
    data += {static_cast<char>(depth), static_cast<char>(colorType), 0, 0, 0};
    return PngChunk("IHDR", data, 13);
}

const Bytes kPngSignature("\x89PNG\r\n\x1a\n", 8);

void AppendPng(png_structp png, png_bytep data, size_t length) {
    static_cast<Bytes*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}
void FlushPng(png_structp) {}

// A grey PNG written by libpng.
Bytes WritePng(int width, int height, const std::function<int(int, int)>& grey) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendPng, FlushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(width));
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) row[static_cast<size_t>(x)] = static_cast<png_byte>(grey(x, y));
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A private ancillary chunk before IEND brings a PNG to size bytes.
Bytes PadPng(Bytes png, size_t size) {
    if (png.size() + 12 > size) return png;
    png.insert(png.size() - 12, PngChunk("prIv", Bytes(size - png.size() - 12, 'x'), static_cast<uint32_t>(size - png.size() - 12)));
    return png;
}

// A private chunk after IHDR brings a crafted PNG to size bytes.
Bytes PadCraftedPng(Bytes png, size_t size) {
    if (png.size() + 12 > size) return png;
    png.insert(33, PngChunk("prIv", Bytes(size - png.size() - 12, 'x'), static_cast<uint32_t>(size - png.size() - 12)));
    return png;
}

// A JPEG written by libjpeg, grey, progressive when asked.
Bytes WriteJpeg(int width, int height, bool progressive, int quality = 75) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&cinfo, &buffer, &length);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width));
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; x++)
            row[static_cast<size_t>(x)] = static_cast<JSAMPLE>((x * 37 + static_cast<int>(cinfo.next_scanline) * 11) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(reinterpret_cast<char*>(buffer), length);
    free(buffer);
    return out;
}

// A comment segment after SOI brings a JPEG to size bytes.
Bytes PadJpeg(Bytes jpeg, size_t size) {
    if (jpeg.size() + 4 > size) return jpeg;
    size_t body = size - jpeg.size() - 4;
    Bytes segment = "\xFF\xFE";
    segment += {static_cast<char>((body + 2) >> 8), static_cast<char>((body + 2) & 0xFF)};
    segment += Bytes(body, 'x');
    jpeg.insert(2, segment);
    return jpeg;
}

// Sets the frame header's height and width.
Bytes ResizeJpeg(Bytes jpeg, int width, int height) {
    size_t sof = jpeg.find("\xFF\xC2");
    if (sof == Bytes::npos) sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 5] = static_cast<char>(height >> 8), jpeg[sof + 6] = static_cast<char>(height);
    jpeg[sof + 7] = static_cast<char>(width >> 8), jpeg[sof + 8] = static_cast<char>(width);
    return jpeg;
}

// A progressive file whose first AC scan is repeated count times: each
// scan is a pass over the whole declared picture.
Bytes DeepScans(int width, int height, int count) {
    Bytes jpeg = ResizeJpeg(WriteJpeg(8, 8, true), width, height);
    size_t first = jpeg.find("\xFF\xDA");
    size_t second = jpeg.find("\xFF\xDA", first + 2);
    size_t third = jpeg.find("\xFF", second + 2);
    while (third != Bytes::npos && (jpeg[third + 1] == 0 || (jpeg[third + 1] & 0xF8) == 0xD0))
        third = jpeg.find("\xFF", third + 2);
    Bytes scan = jpeg.substr(second, third - second);
    Bytes out = jpeg.substr(0, third);
    for (int i = 0; i < count; i++) out += scan;
    return out + "\xFF\xD9";
}

Bytes BmpHeader(int width, int height, int bpp, size_t size) {
    Bytes b(54, '\0');
    auto le32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; i++) b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    le32(2, static_cast<uint32_t>(size));
    le32(10, 54);
    le32(14, 40);
    le32(18, static_cast<uint32_t>(width));
    le32(22, static_cast<uint32_t>(height));
    b[26] = 1, b[28] = static_cast<char>(bpp);
    return b;
}

// A BMP whose rows are all there, then any bytes up to size.
Bytes WellFormedBmp(int width, int height, size_t size) {
    Bytes b = BmpHeader(width, height, 24, size);
    size_t row = static_cast<size_t>((width * 24 + 31) / 32 * 4);
    for (int y = 0; y < height; y++) b += Bytes(row, static_cast<char>(y * 9));
    if (b.size() < size) b += Bytes(size - b.size(), '\0');
    return b;
}

Bytes TgaHeader(int type, int width, int height, int psize) {
    Bytes h(18, '\0');
    h[2] = static_cast<char>(type);
    h[12] = static_cast<char>(width), h[13] = static_cast<char>(width >> 8);
    h[14] = static_cast<char>(height), h[15] = static_cast<char>(height >> 8);
    h[16] = static_cast<char>(psize);
    return h;
}

// A bitmap font of one glyph of the given box; its bitmap is given as
// rows lines of hex, and comments bring it to size bytes.
Bytes Bdf(int boxWidth, int boxHeight, int rows, size_t size) {
    Bytes head =
        "STARTFONT 2.1\nFONT -bench-hostile-medium-r-normal--10-100-75-75-c-80-iso10646-1\nSIZE 10 75 75\n"
        "FONTBOUNDINGBOX 8 10 0 -2\nSTARTPROPERTIES 2\nFONT_ASCENT 8\nFONT_DESCENT 2\nENDPROPERTIES\nCHARS 1\n"
        "STARTCHAR A\nENCODING 65\nSWIDTH 800 0\nDWIDTH 8 0\nBBX " +
        std::to_string(boxWidth) + " " + std::to_string(boxHeight) + " 0 0\nBITMAP\n";
    Bytes tail;
    for (int i = 0; i < rows; i++) tail += "5A\n";
    tail += "ENDCHAR\nENDFONT\n";
    Bytes pad;
    while (head.size() + pad.size() + tail.size() + 9 <= size)
        pad += "COMMENT " + Bytes(std::min<size_t>(60, size - head.size() - pad.size() - tail.size() - 9), 'x') + "\n";
    return "STARTFONT 2.1\n" + pad + head.substr(14) + tail;
}

// Vorbis header packets, written LSB first.
class PacketWriter {
public:
    PacketWriter() { oggpack_writeinit(&_buffer); }
    ~PacketWriter() { oggpack_writeclear(&_buffer); }
    PacketWriter& Bits(unsigned long value, int bits) {
        oggpack_write(&_buffer, value, bits);
        return *this;
    }
    PacketWriter& Text(const Bytes& text) {
        for (char c : text) Bits(static_cast<unsigned char>(c), 8);
        return *this;
    }
    Bytes Packet() {
        return Bytes(reinterpret_cast<char*>(oggpack_get_buffer(&_buffer)), static_cast<size_t>(oggpack_bytes(&_buffer)));
    }

private:
    oggpack_buffer _buffer;
};

// One channel and a setup of one codebook of entries entries and dim
// dimensions: all in use (lengths given in a few bytes), or sparse with only
// two in use (a bit for each entry). residues residues of partitions
// partitions are grouped by it. vendor bytes of comment pad the file.
struct OggPlan {
    long entries;
    int dim;
    bool sparse;
    int partitions;
    int residues;
};

Bytes HostileOgg(const OggPlan& plan, size_t vendor) {
    PacketWriter id, comment, setup;
    id.Text("\x01vorbis").Bits(0, 32).Bits(1, 8).Bits(22050, 32).Bits(0, 32).Bits(0, 32).Bits(0, 32);
    id.Bits(8, 4).Bits(11, 4).Bits(1, 1);
    comment.Text("\x03vorbis").Bits(static_cast<unsigned long>(vendor), 32).Text(Bytes(vendor, 'x')).Bits(0, 32).Bits(1, 1);
    setup.Text("\x05vorbis").Bits(0, 8);
    setup.Bits(0x564342, 24).Bits(static_cast<unsigned long>(plan.dim), 16).Bits(static_cast<unsigned long>(plan.entries), 24);
    if (plan.sparse) {
        // Two entries of 1 bit fill the tree; the rest are unused.
        setup.Bits(0, 1).Bits(1, 1);
        for (long i = 0; i < plan.entries; i++) {
            if (i < 2)
                setup.Bits(1, 1).Bits(0, 5);
            else
                setup.Bits(0, 1);
        }
    } else {
        // Ordered lengths: every entry the same length, so the tree is full.
        int length = 0;
        while ((1L << length) < plan.entries) length++;
        int bits = 0;
        while ((1L << bits) <= plan.entries) bits++;
        setup.Bits(1, 1).Bits(static_cast<unsigned long>(length - 1), 5).Bits(static_cast<unsigned long>(plan.entries), bits);
    }
    setup.Bits(0, 4);
    setup.Bits(0, 6).Bits(0, 16);                                   // time
    setup.Bits(0, 6).Bits(1, 16).Bits(0, 5).Bits(0, 2).Bits(0, 4);  // floor 1 without partitions
    setup.Bits(static_cast<unsigned long>(plan.residues - 1), 6);
    for (int r = 0; r < plan.residues; r++) {
        setup.Bits(0, 16).Bits(0, 24).Bits(0, 24).Bits(0, 24).Bits(static_cast<unsigned long>(plan.partitions - 1), 6).Bits(0, 8);
        for (int p = 0; p < plan.partitions; p++) setup.Bits(0, 3).Bits(0, 1);
    }
    setup.Bits(0, 6).Bits(0, 16).Bits(0, 1).Bits(0, 1).Bits(0, 2).Bits(0, 8).Bits(0, 8).Bits(0, 8);  // mapping
    setup.Bits(0, 6).Bits(0, 1).Bits(0, 16).Bits(0, 16).Bits(0, 8);                                 // mode
    setup.Bits(1, 1);
    // Audio packets of the one mode, so that decoding starts.
    std::vector<Bytes> packets{id.Packet(), comment.Packet(), setup.Packet()};
    for (int i = 0; i < 8; i++) packets.push_back(Bytes(1, '\0'));
    return test::OggPages(packets, 7 * 128);
}

// The same with vendor bytes chosen so the file is about size bytes long.
Bytes HostileOggOfSize(const OggPlan& plan, size_t size) {
    size_t bare = HostileOgg(plan, 0).size();
    size_t vendor = size > bare ? size - bare : 0;
    Bytes ogg = HostileOgg(plan, vendor);
    // Lacing values grow with the packet; take off what they added.
    while (ogg.size() > size && vendor > 0) ogg = HostileOgg(plan, --vendor);
    return ogg;
}

// ---- measuring -----------------------------------------------------------

struct Cost {
    long long peakBytes = 0;
    long long largestRequest = 0;
    double ms = 0;
    bool loaded = false;
};

Cost Measure(const std::function<bool()>& load) {
    long long base = held.load();
    peak.store(base);
    largestRequest.store(0);
    auto start = bench::Clock::now();
    bool loaded = load();
    Cost cost;
    cost.ms = bench::Ms(bench::Clock::now() - start);
    cost.peakBytes = peak.load() - base;
    cost.largestRequest = largestRequest.load();
    cost.loaded = loaded;
    return cost;
}

Ref<TBank> BankOf(const Bytes& bytes) {
    auto bank = CreateBank(static_cast<int>(bytes.size()));
    std::memcpy(BankBuf(bank), bytes.data(), bytes.size());
    return bank;
}

bool LoadPicture(const Ref<TBank>& bank) { return LoadPixmap(Ref<TObject>(bank)) != nullptr; }

bool LoadFontAndGlyphs(const Ref<TBank>& bank) {
    auto font = LoadFont(Ref<TObject>(bank), 40, FONT_SMOOTH);
    if (!font) return false;
    for (int i = 0; i < std::min(4, font->CountGlyphs()); i++) font->LoadGlyph(i);
    return true;
}

bool LoadSampleOf(const Ref<TBank>& bank) { return LoadAudioSample(Ref<TObject>(bank)) != nullptr; }

struct Case {
    std::string name;
    Bytes hostile;
    Bytes wellFormed;
    std::function<bool(const Ref<TBank>&)> load;
};

Cost Median(std::vector<Cost> runs) {
    std::sort(runs.begin(), runs.end(), [](const Cost& a, const Cost& b) { return a.ms < b.ms; });
    Cost mid = runs[runs.size() / 2];
    for (const Cost& r : runs) mid.peakBytes = std::max(mid.peakBytes, r.peakBytes);
    return mid;
}

std::string Size(long long bytes) {
    char text[32];
    if (bytes >= 10LL << 20)
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / (1 << 20));
    else if (bytes >= 10 << 10)
        std::snprintf(text, sizeof text, "%.0f KB", static_cast<double>(bytes) / 1024);
    else
        std::snprintf(text, sizeof text, "%lld B", bytes);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const char* reproPath = argc > 1 ? argv[1] : "../shared/repro/png-2gb-chunk.png";
    std::ifstream in(reproPath, std::ios::binary);
    Bytes repro((std::istreambuf_iterator<char>(in)), {});
    if (repro.empty()) {
        std::fprintf(stderr, "bench_hostile: cannot read %s\n", reproPath);
        return 1;
    }
    InitPixmapModule();
    InitFontModule();
    InitAudioModule();

    auto smallPng = [](size_t size) { return PadPng(WritePng(7, 5, [](int x, int y) { return x * 30 + y; }), size); };
    std::vector<Case> cases;
    cases.push_back({"PNG repro: sPLT claims 1.9 GB", repro, smallPng(repro.size()), LoadPicture});
    {
        size_t size = smallPng(0).size();
        Bytes zText = PadCraftedPng(kPngSignature + PngIhdr(7, 5, 8, 0) + PngChunk("zTXt", Bytes("k\0\0x", 4), 0x7FFFFF00), size);
        Bytes unknown = PadCraftedPng(kPngSignature + PngIhdr(7, 5, 8, 0) + PngChunk("quUx", "ab", 0x7FFFFF00), size);
        Bytes declared = PadCraftedPng(kPngSignature + PngIhdr(16000, 16000, 8, 0) + PngChunk("IDAT", "x\x9c", 2), size);
        cases.push_back({"PNG zTXt claims 2 GB", zText, smallPng(zText.size()), LoadPicture});
        cases.push_back({"PNG unknown chunk claims 2 GB", unknown, smallPng(unknown.size()), LoadPicture});
        cases.push_back({"PNG declares 16000 x 16000", declared, smallPng(declared.size()), LoadPicture});
    }
    {
        size_t size = WriteJpeg(16, 16, false).size();
        Bytes progressive = PadJpeg(ResizeJpeg(WriteJpeg(8, 8, true), 16000, 16000), size);
        Bytes baseline = PadJpeg(ResizeJpeg(WriteJpeg(8, 8, false), 16000, 16000), size);
        Bytes deep = DeepScans(2048, 2048, 1200);
        auto wellFormed = [](size_t size) { return PadJpeg(WriteJpeg(16, 16, false), size); };
        cases.push_back({"JPEG progressive 16000 x 16000", progressive, wellFormed(progressive.size()), LoadPicture});
        cases.push_back({"JPEG baseline 16000 x 16000", baseline, wellFormed(baseline.size()), LoadPicture});
        cases.push_back({"JPEG 2048 x 2048, 1200 scans", deep, PadJpeg(WriteJpeg(128, 128, true, 95), deep.size()),
                         LoadPicture});
    }
    {
        Bytes bmp = BmpHeader(8000, 8000, 32, 62) + Bytes(8, '\0');
        Bytes tga = TgaHeader(10, 4096, 4096, 32) + "\x7F" + Bytes(43, '\0');
        Bytes goodTga = TgaHeader(2, 2, 2, 32) + Bytes(16, '\x40') + Bytes(tga.size() - 34, '\0');
        cases.push_back({"BMP declares 8000 x 8000", bmp, WellFormedBmp(2, 1, bmp.size()), LoadPicture});
        cases.push_back({"TGA declares 4096 x 4096", tga, goodTga, LoadPicture});
    }
    {
        Bytes huge = Bdf(30000, 30000, 3, 1200);
        cases.push_back({"BDF glyph box 30000 x 30000", huge, Bdf(8, 3, 3, huge.size()), LoadFontAndGlyphs});
    }
    {
        Bytes good = test::EncodeOgg(1, 22050, 4000, [](int i, int) { return 0.3f * static_cast<float>((i % 50) - 25) / 25.0f; });
        Bytes book = HostileOggOfSize({1 << 20, 1, false, 1, 1}, good.size());
        Bytes goodLong = test::EncodeOgg(1, 22050, 300000, [](int i, int) {
            return 0.3f * static_cast<float>((i * 7919) % 200 - 100) / 100.0f;
        });
        Bytes residues = HostileOggOfSize({1 << 18, 3, true, 64, 64}, goodLong.size());
        cases.push_back({"Vorbis codebook of 2^20 entries", book, good, LoadSampleOf});
        cases.push_back({"Vorbis 64 residues of 64^3 patterns", residues, goodLong, LoadSampleOf});
    }

    double load[3] = {};
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3) load[0] = -1;
        std::fclose(f);
    }
    std::printf("load average %.2f %.2f %.2f; median of 3 runs, hostile and well-formed alternating\n\n", load[0],
                load[1], load[2]);
    std::printf("%-34s %8s | %-8s %10s %10s %9s | %-8s %10s %9s\n", "file", "bytes", "hostile", "peak held",
                "largest", "time", "same size", "peak held", "time");
    for (const Case& c : cases) {
        auto hostileBank = BankOf(c.hostile), goodBank = BankOf(c.wellFormed);
        std::vector<Cost> hostileRuns, goodRuns;
        for (int run = 0; run < 3; run++) {
            hostileRuns.push_back(Measure([&] { return c.load(hostileBank); }));
            goodRuns.push_back(Measure([&] { return c.load(goodBank); }));
        }
        Cost h = Median(hostileRuns), g = Median(goodRuns);
        std::printf("%-34s %8zu | %-8s %10s %10s %6.2f ms | %-8s %10s %6.2f ms", c.name.c_str(), c.hostile.size(),
                    h.loaded ? "loaded" : "Null", Size(h.peakBytes).c_str(), Size(h.largestRequest).c_str(), h.ms,
                    g.loaded ? "loaded" : "Null", Size(g.peakBytes).c_str(), g.ms);
        if (c.wellFormed.size() != c.hostile.size()) std::printf("  (well-formed: %zu bytes)", c.wellFormed.size());
        std::printf("\n");
    }
    return 0;
}
