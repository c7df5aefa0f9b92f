// A window with a moving image, a line of text and a sound.
// Escape or the window's close button ends the program.

#include <cmath>

#include "vellum.h"

using namespace vellum;

namespace {

// A 64 x 64 disc with a soft edge, drawn pixel by pixel.
Ref<TImage> MakeBall() {
    auto pixmap = CreatePixmap(64, 64, FMT_RGBA8888, 4);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            float d = std::hypot(static_cast<float>(x) - 31.5f, static_cast<float>(y) - 31.5f);
            int alpha = static_cast<int>(255 * std::fmin(1.0f, std::fmax(0.0f, 31.0f - d)));
            WritePixel(pixmap, x, y, alpha << 24 | 0xFFC040);
        }
    }
    return LoadImage(pixmap);
}

// A short falling tone, a tenth of a second at 22050 Hz.
Ref<TSound> MakeBlip() {
    auto sample = TAudioSample::Create(2205, 22050, SF_MONO16LE);
    auto* frames = reinterpret_cast<int16_t*>(sample->samples);
    for (int i = 0; i < sample->length; ++i) {
        float t = static_cast<float>(i) / 22050.0f;
        float fade = 1.0f - static_cast<float>(i) / static_cast<float>(sample->length);
        frames[i] = static_cast<int16_t>(8000 * fade * std::sin(6.2832f * (880.0f - 2000.0f * t) * t));
    }
    return LoadSound(sample);
}

int Main() {
    // Every engine module starts on first use: no start-up calls are needed.
    SetAppTitle(u"Hello, Vellum");
    if (!OpenGraphics(640, 480)) return 1;
    Ref<TImage> ball = MakeBall();
    Ref<TSound> blip = MakeBlip();

    float x = 100, y = 100, dx = 3, dy = 2;
    while (!KeyHits(KEY_ESCAPE) && !AppTerminateRequested()) {
        x += dx;
        y += dy;
        bool bounced = false;
        if (x < 0 || x > 640 - 64) dx = -dx, bounced = true;
        if (y < 40 || y > 480 - 64) dy = -dy, bounced = true;
        if (bounced) PlaySound(blip);

        SetClsColor(20, 30, 60);
        Cls();
        SetBlend(BLEND_ALPHA);
        DrawImage(ball, x, y);
        DrawText(u"Hello, Vellum! Escape ends the program.", 10, 10);
        Flip(1);  // waits for the display's next refresh
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return RunProgram(argc, argv, Main); }
