#pragma once
/// \file
/// The OpenGL 2D driver: the drawing functions of drawing.h and image.h
/// through OpenGL, over the contexts of the OpenGL window driver.
///
/// Consecutive primitives drawn with the same texture, blend and viewport are
/// held back and sent to OpenGL together, as one vertex array draw. The driver
/// sends what it holds before anything that changes OpenGL state or reads or
/// writes pixels itself (Cls, SetBlend, SetViewport, SetLineWidth, texture
/// uploads and deletions, DrawPixmap, GrabPixmap, Flip, switching or closing
/// contexts). A program that makes OpenGL calls of its own between engine
/// drawing calls must call FlushGLDrawing() before them, or turn batching off.

#include "graphics/drawing.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The one OpenGL 2D driver, or Null when there is no OpenGL window driver.
Ref<TVel2DDriver> GLVel2DDriver();
/// Sends the drawing held back by the driver to OpenGL now. Call it before
/// OpenGL calls of your own that draw, read pixels or change state; afterwards,
/// leave the state the driver set (blend, bound texture, texturing, scissor,
/// matrices) as it was, or reset it through the engine.
void FlushGLDrawing();
/// Turns batching on (the default) or off; off, every primitive reaches OpenGL
/// before its drawing call returns. The pixels are the same either way.
void SetGLBatching(bool enable);
/// True while batching is on.
bool GLBatching();
/// Starts the OpenGL window driver and installs the OpenGL 2D driver as the
/// current graphics driver.
void InitGLDrawingModule();

}  // namespace vellum
#pragma GCC visibility pop
