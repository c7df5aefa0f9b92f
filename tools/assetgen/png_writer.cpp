#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

namespace assetgen {

namespace {

// libpng reports errors by longjmp, so this part holds only plain locals.
bool Encode(FILE* file, int width, int height, const uint8_t* rgba) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, rgba + static_cast<size_t>(y) * static_cast<size_t>(width) * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    if (rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
        throw std::runtime_error("pixel buffer does not match the picture size: " + path);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    const bool encoded = Encode(file, width, height, rgba.data());
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
