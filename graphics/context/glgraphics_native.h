#pragma once
// The native layer under the OpenGL window driver: windows, OpenGL contexts,
// display modes and buffer swaps. Implemented per platform.

#include <cstdint>
#include <vector>

#include "context/glgraphics_driver.h"

namespace vellum {

struct NativeDisplayMode {
    int width, height, depth, hertz;
};

// A new window context: windowed when depth is 0, else full screen. Null when
// no window or pixel format can be had; raises "GLGraphicsDriver failed to set
// display mode" when no display mode fits.
NativeGLContextPtr CreateNativeGLContext(int width, int height, int depth, int hertz, int flags);
// A context drawing into an existing native window; Null on failure.
NativeGLContextPtr AttachNativeGLContext(intptr_t window, int flags);
void NativeGLSettings(NativeGLContext* context, int& width, int& height, int& depth, int& hertz, int& flags);
// Binds the context for rendering (Null: none).
void MakeNativeGLContextCurrent(NativeGLContext* context);
// Swaps the current context's buffers with swap interval sync.
void FlipNativeGL(int sync);
// The display's modes with at least 16 bits per pixel, in the platform's order.
std::vector<NativeDisplayMode> NativeDisplayModes(int limit);
// Creates the hidden shared context once; false on failure.
bool CreateSharedNativeGLContext();

}  // namespace vellum
