#include "gl/gl_state.h"

namespace vellum {

GLDriverState& GLState() {
    static auto* state = new GLDriverState;  // lives for the whole run
    return *state;
}

void BindTexture(GLuint name) {
    auto& s = GLState();
    if (name == s.boundTexture) return;
    glBindTexture(GL_TEXTURE_2D, name);
    s.boundTexture = name;
    ++s.calls.bind;
}

void EnableTexturing(GLuint name) {
    BindTexture(name);
    auto& s = GLState();
    if (s.texturing) return;
    glEnable(GL_TEXTURE_2D);
    s.texturing = true;
    ++s.calls.texture;
}

void DisableTexturing() {
    auto& s = GLState();
    if (!s.texturing) return;
    glDisable(GL_TEXTURE_2D);
    s.texturing = false;
    ++s.calls.texture;
}

}  // namespace vellum
