#include "gl/gl_state.h"

#include <algorithm>

namespace vellum {

namespace {

// A full batch is drawn. Mesa's software renderer clips and resets vertices
// per draw at a cost that grows with the draw's size, so batches stay small.
constexpr int kBatchVertices = 4 * 256;
// Up to this many vertices go through glBegin/glEnd, which costs less than
// setting up arrays for a sprite or two.
constexpr int kImmediateVertices = 8;
// A glFlush after this many vertices lets a renderer with threads of its own
// start on them while the program is still submitting the rest of the frame.
// Counting pixels covered as well flushed a game frame of a few large
// sprites mid-way and made its drawing cost several times the CPU, for no
// gain in sprite throughput.
constexpr int kVerticesPerGLFlush = 4 * 2048;

void SendColor(uint32_t color) {
    auto& s = GLState();
    if (s.sentColorKnown && s.sentColor == color) return;
    glColor4ubv(reinterpret_cast<const GLubyte*>(&color));
    s.sentColor = color;
    s.sentColorKnown = true;
}

void DrawImmediate(GLenum mode, const GLVertex* v, int count, bool textured) {
    // No error check may come between glBegin and glEnd: the one after glEnd covers them.
    glBegin(mode);
    for (int i = 0; i < count; ++i) {
        SendColor(v[i].color);
        if (textured) glTexCoord2f(v[i].u, v[i].v);
        glVertex2f(v[i].x, v[i].y);
    }
    GL_CALL(glEnd());
}

void DrawArrays(GLenum mode, const GLVertex* v, int count, bool textured) {
    GL_CALL(glVertexPointer(2, GL_FLOAT, sizeof(GLVertex), &v->x));
    GL_CALL(glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GLVertex), &v->color));
    GL_CALL(glEnableClientState(GL_VERTEX_ARRAY));
    GL_CALL(glEnableClientState(GL_COLOR_ARRAY));
    if (textured) {
        GL_CALL(glTexCoordPointer(2, GL_FLOAT, sizeof(GLVertex), &v->u));
        GL_CALL(glEnableClientState(GL_TEXTURE_COORD_ARRAY));
    }
    GL_CALL(glDrawArrays(mode, 0, count));
    if (textured) GL_CALL(glDisableClientState(GL_TEXTURE_COORD_ARRAY));
    GL_CALL(glDisableClientState(GL_COLOR_ARRAY));
    GL_CALL(glDisableClientState(GL_VERTEX_ARRAY));
    GLState().sentColorKnown = false;  // the current colour is undefined after a colour array
}

}  // namespace

GLDriverState& GLState() {
    static auto* state = new GLDriverState;  // lives for the whole run
    return *state;
}

void BindTexture(GLuint name) {
    auto& s = GLState();
    if (name == s.boundTexture) return;
    FlushBatch();
    GL_CALL(glBindTexture(GL_TEXTURE_2D, name));
    s.boundTexture = name;
    ++s.calls.bind;
}

void EnableTexturing(GLuint name) {
    BindTexture(name);
    auto& s = GLState();
    if (s.texturing) return;
    FlushBatch();
    GL_CALL(glEnable(GL_TEXTURE_2D));
    s.texturing = true;
    ++s.calls.texture;
}

void DisableTexturing() {
    auto& s = GLState();
    if (!s.texturing) return;
    FlushBatch();
    GL_CALL(glDisable(GL_TEXTURE_2D));
    s.texturing = false;
    ++s.calls.texture;
}

void FlushBatch() {
    auto& s = GLState();
    int count = s.batchCount;
    if (!count) return;
    s.batchCount = 0;
    ++s.calls.draws;
    if (count <= kImmediateVertices)
        DrawImmediate(s.batchMode, s.batch.data(), count, s.texturing);
    else
        DrawArrays(s.batchMode, s.batch.data(), count, s.texturing);
    s.sinceGLFlush += count;
    if (s.sinceGLFlush >= kVerticesPerGLFlush) {
        GL_CALL(glFlush());
        s.sinceGLFlush = 0;
    }
}

GLVertex* BatchVertices(GLenum mode, int count) {
    auto& s = GLState();
    if (mode != s.batchMode || s.batchCount + count > kBatchVertices) {
        FlushBatch();
        s.batchMode = mode;
    }
    size_t needed = static_cast<size_t>(s.batchCount) + count;
    if (s.batch.size() < needed) s.batch.resize(std::max<size_t>(needed, kBatchVertices));
    GLVertex* v = s.batch.data() + s.batchCount;
    s.batchCount += count;
    return v;
}

}  // namespace vellum
