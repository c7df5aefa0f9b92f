#pragma once
// State of the OpenGL 2D driver shared by all its contexts, with the caches
// that keep consecutive draws from repeating OpenGL state calls.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "graphics/gldrawing.h"

namespace vellum {

struct GLDriverState {
    int blend = 0;  // 0 forces the next SetBlend to apply
    GLuint boundTexture = 0;
    bool texturing = false;
    uint8_t color[4] = {0, 0, 0, 0};
    bool colorPending = false;  // color changed since it was last sent
    float ix = 0, iy = 0, jx = 0, jy = 0;
    std::vector<GLuint> deletionQueue;  // names waiting to be deleted
    int deletionSeq = 0;                // the graphicsSeq they belong to
    GLStateCallCounts calls;
};

GLDriverState& GLState();

void BindTexture(GLuint name);
// Binds the texture and enables texturing.
void EnableTexturing(GLuint name);
void DisableTexturing();
// Sends a changed drawing colour; every primitive calls this before glBegin.
inline void FlushColor() {
    GLDriverState& s = GLState();
    if (!s.colorPending) return;
    glColor4ubv(s.color);
    s.colorPending = false;
}

// The local point transformed by the current matrix and offset.
inline void TransformedVertex(float x, float y, float tx, float ty) {
    const GLDriverState& s = GLState();
    glVertex2f(x * s.ix + y * s.iy + tx, x * s.jx + y * s.jy + ty);
}

}  // namespace vellum
