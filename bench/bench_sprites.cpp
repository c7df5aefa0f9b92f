// The shared sprite workload drawn through DrawImage, so the engine can be set
// beside the peer libraries in one run of the shared run.sh: the generator,
// update rule, warm-up, timing and result line all come from its sim.h.
//   bench_sprites [--unbatched] [N] [FRAMES] [MAX_SECONDS]     (needs DISPLAY)
// SPRITE_PNG names the picture (default assets/sprite.png, as run.sh's folder
// has it) and SPRITE_SCALE the draw scale. --unbatched turns the driver's quad
// batching off, to compare with the one-quad-at-a-time path.

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gl/gl_driver.h"
#include "graphics/gldrawing.h"
#include "graphics/image.h"
#include "sim.h"
#include "system/system_driver.h"

using namespace vellum;

int main(int argc, char** argv) {
    bool batching = true;
    if (argc > 1 && std::strcmp(argv[1], "--unbatched") == 0) {
        batching = false;
        --argc, ++argv;
    }
    bench::Args args = bench::parse(argc, argv);
    const float scale = bench::sprite_scale();
    const char* png = std::getenv("SPRITE_PNG");
    if (!png || !*png) png = "assets/sprite.png";
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_sprites needs a display\n");
        return 1;
    }

    InitGLDrawingModule();
    if (!OpenGraphics(bench::kW, bench::kH, 0, 0, 0)) {
        std::fprintf(stderr, "bench_sprites: no window\n");
        return 1;
    }
    SetGLBatching(batching);
    auto image = LoadImage(FromUtf8(png), IMAGE_FILTERED);
    if (!image) {
        std::fprintf(stderr, "bench_sprites: cannot load %s\n", png);
        return 1;
    }
    MidHandleImage(image);  // drawn centred, as the peers do
    SetBlend(BLEND_ALPHA);
    SetClsColor(26, 26, 38);  // the peers' (0.1, 0.1, 0.15)

    auto sprites = bench::make_sprites(args.n);
    auto DrawSprites = [&] {
        for (const auto& s : sprites) {
            SetColor(s.r, s.g, s.b);
            SetAlpha(s.a / 255.0f);
            SetRotationScale(static_cast<float>(s.angle), scale, scale);
            DrawImage(image, static_cast<float>(s.x), static_cast<float>(s.y));
        }
    };
    std::vector<double> samples;
    samples.reserve(args.frames);
    auto start = bench::Clock::now();
    for (int f = 0; f < bench::kWarmup + args.frames; ++f) {
        auto t0 = bench::Clock::now();
        PollSystemEvents();
        bench::update(sprites);
        Cls();
        DrawSprites();
        Flip(0);
        glFinish();
        if (f >= bench::kWarmup) {
            samples.push_back(bench::ms_since(t0));
            if (bench::stop_early(samples.size(), start, args.max_seconds)) break;
        }
    }
    bench::report(batching ? "engine" : "engine_unbatched", args.n, samples);

    // What reached the screen: the last state drawn once more and read back,
    // with the primitives it took, so a fast figure cannot hide missing sprites.
    int drawsBefore = GLStateCalls().draws;
    Cls();
    DrawSprites();
    auto screen = GrabPixmap(0, 0, bench::kW, bench::kH);
    int draws = GLStateCalls().draws - drawsBefore;
    long covered = 0;
    const int background = 26 << 16 | 26 << 8 | 38;  // the clear colour above
    for (int y = 0; screen && y < screen->height; ++y)
        for (int x = 0; x < screen->width; ++x) covered += (screen->ReadPixel(x, y) & 0xffffff) != background;
    std::fprintf(stderr, "bench_sprites: %d sprites drawn in %d submissions, %ld of %d pixels covered\n", args.n,
                 draws, covered, bench::kW * bench::kH);
    CloseGraphics();
    if (args.n > 0 && covered == 0) {
        std::fprintf(stderr, "bench_sprites: nothing reached the screen\n");
        return 1;
    }
    return 0;
}
