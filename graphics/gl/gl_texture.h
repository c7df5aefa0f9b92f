#pragma once
// OpenGL texture names owned by the driver. A GLTexture owns one name made in
// the context current at its creation; when it goes, the name waits in the
// deletion queue and is deleted in one batch the next time a texture is made
// in that same context. A name from an older context (graphicsSeq changed)
// is forgotten: it went with its context.

#include <GL/gl.h>

#include <vector>

namespace vellum {

class GLTexture {
public:
    GLTexture() = default;
    GLTexture(GLTexture&& other) noexcept : name_(other.name_), seq_(other.seq_) { other.name_ = 0; }
    GLTexture& operator=(GLTexture&& other) noexcept;
    GLTexture(const GLTexture&) = delete;
    GLTexture& operator=(const GLTexture&) = delete;
    ~GLTexture() { Release(); }

    // A new name in the current context, after deleting the names queued there.
    static GLTexture Create();
    GLuint Name() const { return name_; }
    explicit operator bool() const { return name_ != 0; }

private:
    void Release();
    GLuint name_ = 0;
    int seq_ = 0;  // the graphicsSeq the name was made at
};

class GLTextureDeletionQueue {
public:
    // Queues a name made at seq, if it belongs to the context of the last
    // creation (otherwise its context is gone and the name with it).
    void Queue(GLuint name, int seq);
    // Deletes the queued names if they belong to seq, forgets them otherwise,
    // and makes seq the context of later queueing. True if any were deleted.
    bool DeleteFor(int seq);

private:
    std::vector<GLuint> names_;
    int seq_ = 0;
};

}  // namespace vellum
