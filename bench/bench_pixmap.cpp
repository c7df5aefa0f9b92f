// Picture speed: decoding a 2048 x 2048 RGBA PNG through LoadPixmap against
// a plain libpng read loop over the same file (runs alternate, so both see
// the same cache state), ResizePixmap of 1024 x 1024 to 512 x 512, and
// ConvertPixmap between formats. Prints the median of several runs.

#include <png.h>

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "graphics/pictures_all.h"

namespace {

using namespace vellum;

constexpr int kSide = 2048;
constexpr int kRuns = 7;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds taken by one call.
double Time(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A picture with smooth areas and noise, so that compression does real work.
std::vector<png_byte> MakePicture() {
    std::vector<png_byte> pixels(static_cast<size_t>(kSide) * kSide * 4);
    uint32_t noise = 12345;
    for (int y = 0; y < kSide; y++)
        for (int x = 0; x < kSide; x++) {
            noise = noise * 1103515245u + 12345u;
            png_byte* p = &pixels[(static_cast<size_t>(y) * kSide + x) * 4];
            p[0] = static_cast<png_byte>(x / 8), p[1] = static_cast<png_byte>(y / 8);
            p[2] = static_cast<png_byte>((x ^ y) + (noise >> 29)), p[3] = static_cast<png_byte>(255 - (x + y) / 16);
        }
    return pixels;
}

bool WritePng(const std::string& path, std::vector<png_byte>& pixels) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows(kSide);
    for (int y = 0; y < kSide; y++) rows[y] = &pixels[static_cast<size_t>(y) * kSide * 4];
    png_init_io(png, file);
    png_set_IHDR(png, info, kSide, kSide, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

// The libpng calls of the baseline, in a frame without destructors.
bool PlainDecode(std::FILE* file, png_bytepp rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_strip_16(png);
    png_set_expand(png);
    png_read_update_info(png, info);
    png_read_image(png, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// The baseline: a plain libpng read of the file into one buffer.
bool PlainLoad(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<png_byte> pixels(static_cast<size_t>(kSide) * kSide * 4);
    std::vector<png_bytep> rows(kSide);
    for (int y = 0; y < kSide; y++) rows[y] = &pixels[static_cast<size_t>(y) * kSide * 4];
    bool ok = PlainDecode(file, rows.data());
    std::fclose(file);
    return ok;
}

}  // namespace

int main() {
    InitPixmapModule();
    auto path = (std::filesystem::temp_directory_path() / "vellum-bench-pixmap.png").string();
    auto pixels = MakePicture();
    if (!WritePng(path, pixels)) return 1;
    std::printf("PNG %d x %d RGBA, %ld bytes\n", kSide, kSide, static_cast<long>(std::filesystem::file_size(path)));

    std::vector<double> loadTimes, plainTimes;
    bool ok = true;
    for (int run = 0; run < kRuns; run++) {
        plainTimes.push_back(Time([&] { ok &= PlainLoad(path); }));
        loadTimes.push_back(Time([&] { ok &= LoadPixmap(FromUtf8(path)) != nullptr; }));
    }
    std::filesystem::remove(path);
    if (!ok) return 1;
    double load = Median(loadTimes), plain = Median(plainTimes);
    std::printf("decode   LoadPixmap %8.2f ms   plain libpng %8.2f ms   ratio %.3f\n", load, plain, load / plain);

    auto big = TPixmap::Create(1024, 1024, FMT_RGBA8888, 4);
    for (int y = 0; y < 1024; y++)
        std::copy_n(&pixels[static_cast<size_t>(y) * kSide * 4], 1024 * 4, big->PixelPtr(0, y));
    std::vector<double> resize;
    for (int run = 0; run < kRuns; run++) resize.push_back(Time([&] { ResizePixmap(big, 512, 512); }));
    std::printf("resize   1024 x 1024 -> 512 x 512 RGBA8888 %8.2f ms\n", Median(resize));

    auto source = TPixmap::CreateStatic(pixels.data(), kSide, kSide, kSide * 4, FMT_RGBA8888);
    struct Pair {
        const char* name;
        int from, to;
    } pairs[] = {{"RGBA8888 -> BGRA8888", FMT_RGBA8888, FMT_BGRA8888}, {"RGBA8888 -> RGB888  ", FMT_RGBA8888, FMT_RGB888},
                 {"RGBA8888 -> I8      ", FMT_RGBA8888, FMT_I8},       {"BGR888   -> BGRA8888", FMT_BGR888, FMT_BGRA8888},
                 {"I8       -> RGB888  ", FMT_I8, FMT_RGB888},         {"A8       -> RGBA8888", FMT_A8, FMT_RGBA8888}};
    for (const Pair& pair : pairs) {
        auto from = pair.from == FMT_RGBA8888 ? Ref<TPixmap>(source) : ConvertPixmap(source, pair.from);
        std::vector<double> times;
        for (int run = 0; run < kRuns; run++) times.push_back(Time([&] { ConvertPixmap(from, pair.to); }));
        std::printf("convert  %d x %d %s %8.2f ms\n", kSide, kSide, pair.name, Median(times));
    }
    return 0;
}
