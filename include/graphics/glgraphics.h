#pragma once
/// \file
/// The OpenGL window driver: graphics contexts that are windows (or full
/// screens) with OpenGL rendering contexts. Programs that draw through the
/// 2D driver (gldrawing.h) have it started for them.

#include "graphics/graphics.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The one OpenGL window driver, created on first use: to open contexts
/// for OpenGL calls of the program's own, install it with SetGraphicsDriver.
Ref<TGraphicsDriver> GetGLGraphicsDriver();
/// Creates the hidden context whose textures every later context shares;
/// false if it cannot be made.
bool EnableGLContextSharing();
/// Starts the graphics module and installs the OpenGL window driver.
void InitGLGraphicsModule();

}  // namespace vellum
#pragma GCC visibility pop
