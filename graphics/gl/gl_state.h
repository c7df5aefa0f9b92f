#pragma once
// State of the OpenGL 2D driver shared by all its contexts: the caches that
// keep consecutive draws from repeating OpenGL state calls, and the batch of
// vertices that consecutive primitives with the same state add to.
//
// The batch holds only vertices: every piece of OpenGL state in this driver is
// set at once, and whatever changes state, reads or writes pixels outside the
// batch or changes the context flushes the batch first (FlushBatch), so the
// batch always draws with the state its vertices were made under.

#include <cstdint>
#include <cstring>
#include <vector>

#include "context/gl_check.h"
#include "gl/gl_texture.h"
#include "gl/gl_driver.h"

namespace vellum {

// One vertex of the batch: position, texture coordinate and the drawing colour
// as bytes r, g, b, a.
struct GLVertex {
    float x, y, u, v;
    uint32_t color;
};

struct GLDriverState {
    int blend = 0;  // 0 forces the next SetBlend to apply
    GLuint boundTexture = 0;
    bool texturing = false;
    uint8_t color[4] = {0, 0, 0, 0};
    float ix = 0, iy = 0, jx = 0, jy = 0;
    GLTextureDeletionQueue deletions;
    GLStateCallCounts calls;

    bool batching = true;
    GLenum batchMode = GL_QUADS;
    std::vector<GLVertex> batch;  // grown, never shrunk: the first batchCount are pending
    int batchCount = 0;
    int sinceGLFlush = 0;      // vertices submitted since the last glFlush
    uint32_t sentColor = 0;    // the colour OpenGL holds as current, if sentColorKnown
    bool sentColorKnown = false;
};

GLDriverState& GLState();

void BindTexture(GLuint name);
// Binds the texture and enables texturing.
void EnableTexturing(GLuint name);
void DisableTexturing();

// Draws the pending vertices, if any.
void FlushBatch();
// Room for count vertices of primitive mode (GL_QUADS, GL_LINES, GL_POINTS or
// GL_POLYGON) at the end of the batch, flushing first when the mode differs or
// the batch is full. The caller fills them in, then calls EndPrimitive.
GLVertex* BatchVertices(GLenum mode, int count);
// Ends a primitive: with batching off, or for a polygon, draws it now.
inline void EndPrimitive() {
    GLDriverState& s = GLState();
    if (!s.batching || s.batchMode == GL_POLYGON) FlushBatch();
}

// The drawing colour packed for a vertex.
inline uint32_t PackedColor() {
    uint32_t packed;
    std::memcpy(&packed, GLState().color, sizeof packed);
    return packed;
}

// The local point transformed by the current matrix and offset.
inline GLVertex TransformedVertex(float x, float y, float tx, float ty, uint32_t color) {
    const GLDriverState& s = GLState();
    return {x * s.ix + y * s.iy + tx, x * s.jx + y * s.jy + ty, 0, 0, color};
}

}  // namespace vellum
