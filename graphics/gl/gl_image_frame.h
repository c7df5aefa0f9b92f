#pragma once
// The OpenGL 2D driver's image frame: one texture per frame, sized to powers
// of two, drawn as one textured quad through the current transform.

#include "gl/gl_texture.h"
#include "graphics/image.h"

namespace vellum {

class TGLImageFrame : public TImageFrame {
public:
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    float uscale = 0, vscale = 0;
    GLTexture texture;

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
              float sh) override;

    // A frame holding the pixmap's pixels in a new texture.
    static Ref<TGLImageFrame> CreateFromPixmap(const Ref<TPixmap>& pixmap, int flags);
};

// The texture size for a picture: powers of two at least as large, halved
// until OpenGL accepts them; raises "Unable to calculate tex size".
void AdjustTexSize(int& width, int& height);

}  // namespace vellum
