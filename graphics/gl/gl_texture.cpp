#include "gl/gl_texture.h"

#include "gl/gl_state.h"
#include "graphics/graphics.h"

namespace vellum {

GLTexture& GLTexture::operator=(GLTexture&& other) noexcept {
    if (this != &other) {
        Release();
        name_ = other.name_, seq_ = other.seq_;
        other.name_ = 0;
    }
    return *this;
}

GLTexture GLTexture::Create() {
    auto& s = GLState();
    int seq = GraphicsSeq();
    FlushBatch();  // the pending vertices may use a queued name
    // Deleting a bound texture unbinds it, and its name may come back.
    if (s.deletions.DeleteFor(seq)) s.boundTexture = 0;
    GLTexture texture;
    GL_CALL(glGenTextures(1, &texture.name_));
    texture.seq_ = seq;
    return texture;
}

void GLTexture::Release() {
    if (!name_) return;
    GLState().deletions.Queue(name_, seq_);
    name_ = 0;
}

void GLTextureDeletionQueue::Queue(GLuint name, int seq) {
    if (seq == seq_) names_.push_back(name);
}

bool GLTextureDeletionQueue::DeleteFor(int seq) {
    bool deleted = false;
    if (seq == seq_ && !names_.empty()) {
        GL_CALL(glDeleteTextures(static_cast<GLsizei>(names_.size()), names_.data()));
        deleted = true;
    }
    names_.clear();
    seq_ = seq;
    return deleted;
}

}  // namespace vellum
