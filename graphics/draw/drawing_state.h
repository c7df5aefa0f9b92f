#pragma once
// Module state of the drawing layer, shared by its source files.

#include "graphics/drawing.h"

namespace vellum {

struct DrawingState {
    Ref<TVel2DGraphics> context;
    Ref<TVel2DDriver> driver;
    Ref<TImageFont> defaultFont;
    int maskRed = 0, maskGreen = 0, maskBlue = 0;
};

DrawingState& Drawing();

}  // namespace vellum
