#pragma once
// A game world for logic tests: the module globals with small pictures made
// in memory, no display, and input fed as emitted events. Drawing goes to a
// recording 2D driver.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"

namespace testutil {

using vellum::Ref;

// A drawing context that draws nowhere.
class TNoGraphics : public vellum::TGraphics {
public:
    Ref<vellum::TGraphicsDriver> Driver() override { return nullptr; }
    void GetSettings(int& w, int& h, int& d, int& hz, int& f) override { w = 1024, h = 768, d = hz = f = 0; }
    void Close() override {}
};

// Records the primitives a 2D driver is asked to draw.
class TRecordingDriver : public vellum::TVel2DDriver {
public:
    std::vector<std::string> calls;

    std::vector<Ref<vellum::TGraphicsMode>> GraphicsModes() override { return {}; }
    Ref<vellum::TGraphics> AttachGraphics(intptr_t, int) override { return nullptr; }
    Ref<vellum::TGraphics> CreateGraphics(int, int, int, int, int) override { return nullptr; }
    void SetGraphics(const Ref<vellum::TGraphics>&) override {}
    void Flip(int) override {}
    Ref<vellum::TImageFrame> CreateFrameFromPixmap(const Ref<vellum::TPixmap>&, int) override { return nullptr; }
    void SetBlend(int) override {}
    void SetAlpha(float) override {}
    void SetColor(int r, int g, int b) override { Record("color", r, g, b); }
    void SetClsColor(int, int, int) override {}
    void SetViewport(int, int, int, int) override {}
    void SetTransform(float, float, float, float) override {}
    void SetLineWidth(float) override {}
    void Cls() override {}
    void Plot(float, float) override {}
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override {
        Record("line", x0 + tx, y0 + ty, x1 + tx, y1 + ty);
    }
    void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override {
        Record("rect", x0 + tx, y0 + ty, x1 - x0, y1 - y0);
    }
    void DrawOval(float, float, float, float, float, float) override {}
    void DrawPoly(const std::vector<float>&, float, float, float, float) override {}
    void DrawPixmap(const Ref<vellum::TPixmap>&, int, int) override {}
    Ref<vellum::TPixmap> GrabPixmap(int, int, int, int) override { return nullptr; }
    void SetResolution(float, float) override {}

private:
    template <class... Values>
    void Record(const char* what, Values... values) {
        std::string call = what;
        ((call += " " + std::to_string(static_cast<int>(values))), ...);
        calls.push_back(call);
    }
};

// The globals of a running game with a 1-level profile, on the title screen
// or not, without a display.
class GameWorld : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Presses and releases a key as the window system would report it.
    static void Press(int key);
    static void Hold(int key);
    static void Release(int key);
    // Starts the game screen for the profile's level.
    void StartLevel(int level = 1);

    Ref<TRecordingDriver> driver = vellum::New<TRecordingDriver>();
};

}  // namespace testutil
