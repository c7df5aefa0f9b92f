// Sprite throughput: N sprites of a 32 x 32 alpha picture moved, bounced,
// rotated, tinted and alpha-blended every frame, drawn through DrawImage and
// by a plain OpenGL 1.1 loop issuing one textured quad per sprite.
//   bench_sprites [N] [frames] [scale]      (needs DISPLAY)

#include <GL/gl.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gl/gl_image_frame.h"
#include "graphics/gldrawing.h"
#include "graphics/image.h"

using namespace vellum;

namespace {

struct Sprite {
    float x, y, dx, dy, rotation, spin;
    int r, g, b;
    float alpha;
};

// A soft round 32 x 32 sprite with alpha, written as a real PNG file.
std::string WriteSpritePicture() {
    std::string path = "/tmp/vellum-bench-sprite-" + std::to_string(getpid()) + ".png";
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, 32, 32, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < 32; ++y) {
        png_byte row[32 * 4];
        for (int x = 0; x < 32; ++x) {
            float d = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
            row[x * 4 + 0] = 255;
            row[x * 4 + 1] = static_cast<png_byte>(255 * (1 - d * 0.5f));
            row[x * 4 + 2] = static_cast<png_byte>(128 + 127 * (x / 31.0f));
            row[x * 4 + 3] = static_cast<png_byte>(255 * std::clamp(1.2f - d, 0.0f, 1.0f));
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return path;
}

std::vector<Sprite> MakeSprites(int n) {
    std::vector<Sprite> sprites(n);
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFF; };
    for (auto& s : sprites) {
        s = {float(next() % 1024), float(next() % 768), (next() % 600 - 300) / 100.0f, (next() % 600 - 300) / 100.0f,
             float(next() % 360), (next() % 400 - 200) / 100.0f, int(next() % 256), int(next() % 256),
             int(next() % 256), 0.3f + (next() % 70) / 100.0f};
    }
    return sprites;
}

void Move(std::vector<Sprite>& sprites) {
    for (auto& s : sprites) {
        s.x += s.dx, s.y += s.dy, s.rotation += s.spin;
        if (s.x < 0 || s.x > 1024) s.dx = -s.dx;
        if (s.y < 0 || s.y > 768) s.dy = -s.dy;
    }
}

void DrawWithEngine(const std::vector<Sprite>& sprites, const Ref<TImage>& image, float scale) {
    for (const auto& s : sprites) {
        SetColor(s.r, s.g, s.b);
        SetAlpha(s.alpha);
        SetRotationScale(s.rotation, scale, scale);
        DrawImage(image, s.x, s.y);
    }
}

void DrawWithPlainGL(const std::vector<Sprite>& sprites, unsigned texture, float u1, float v1, float scale) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (const auto& s : sprites) {
        glColor4ub(GLubyte(s.r), GLubyte(s.g), GLubyte(s.b), GLubyte(s.alpha * 255));
        float c = std::cos(s.rotation * 0.0174532925f), n = std::sin(s.rotation * 0.0174532925f);
        float ix = c * scale, iy = -n * scale, jx = n * scale, jy = c * scale;
        const float corners[4][4] = {{-16, -16, 0, 0}, {16, -16, u1, 0}, {16, 16, u1, v1}, {-16, 16, 0, v1}};
        glBegin(GL_QUADS);
        for (const auto& p : corners) {
            glTexCoord2f(p[2], p[3]);
            glVertex2f(p[0] * ix + p[1] * iy + s.x, p[0] * jx + p[1] * jy + s.y);
        }
        glEnd();
    }
}

template <class DrawFrame>
double MedianFrameMs(int frames, std::vector<Sprite>& sprites, DrawFrame draw) {
    std::vector<double> times;
    for (int f = 0; f < frames; ++f) {
        auto start = std::chrono::steady_clock::now();
        Cls();
        Move(sprites);
        draw();
        Flip(0);
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    int frames = argc > 2 ? std::atoi(argv[2]) : 100;
    float scale = argc > 3 ? static_cast<float>(std::atof(argv[3])) : 1.0f;
    if (!std::getenv("DISPLAY")) {
        std::puts("bench_sprites needs a display");
        return 1;
    }
    InitGLDrawingModule();
    if (!OpenGraphics(1024, 768, 0, 0, 0)) {
        std::puts("no window");
        return 1;
    }
    std::string path = WriteSpritePicture();
    auto image = LoadImage(FromUtf8(path), IMAGE_FILTERED);
    std::remove(path.c_str());
    MidHandleImage(image);
    auto frame = Cast<TGLImageFrame>(image->Frame(0));

    // Alternate the two ways, several rounds each, so neither gains from
    // running second on a warmed-up driver.
    std::vector<double> engineRuns, plainRuns;
    for (int round = 0; round < 3; ++round) {
        auto sprites = MakeSprites(n);
        SetBlend(BLEND_SOLID);  // the engine's own state, as a program leaves it
        SetBlend(BLEND_ALPHA);
        engineRuns.push_back(MedianFrameMs(frames, sprites, [&] { DrawWithEngine(sprites, image, scale); }));
        sprites = MakeSprites(n);
        SetBlend(BLEND_SOLID);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        plainRuns.push_back(MedianFrameMs(frames, sprites, [&] { DrawWithPlainGL(sprites, frame->name, frame->u1, frame->v1, scale); }));
    }
    std::sort(engineRuns.begin(), engineRuns.end());
    std::sort(plainRuns.begin(), plainRuns.end());
    double engine = engineRuns[1], plain = plainRuns[1];

    std::printf("sprites=%d scale=%g frames=%d\n", n, scale, frames);
    std::printf("engine ms_per_frame=%.3f\n", engine);
    std::printf("plain_gl ms_per_frame=%.3f\n", plain);
    std::printf("ratio=%.3f\n", engine / plain);
    CloseGraphics();
    return 0;
}
