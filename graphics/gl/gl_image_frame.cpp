#include "gl/gl_image_frame.h"

#include <algorithm>

#include "gl/gl_state.h"
#include "graphics/graphics.h"
#include "graphics/pixmap_functions.h"
#include "runtime/exception.h"

namespace vellum {

namespace {

bool SizeAccepted(int width, int height) {
    GL_CALL(glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr));
    GLint accepted = 0;
    GL_CALL(glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted));
    return accepted != 0;
}

// The picture with its last column and row repeated into the padding, so
// filtering at the edges never blends in undefined texels.
Ref<TPixmap> PaddedToTexture(const Ref<TPixmap>& pixmap, int texWidth, int texHeight) {
    int width = pixmap->width, height = pixmap->height;
    if (width == texWidth && height == texHeight)
        return pixmap->format == FMT_RGBA8888 ? pixmap : pixmap->Convert(FMT_RGBA8888);
    auto padded = CreatePixmap(texWidth, texHeight, FMT_RGBA8888, 4);
    // Past the smeared edge the texture is never sampled at full size, but its
    // halvings are: cleared, they are the same on every run.
    padded->ClearPixels(0);
    padded->Paste(*pixmap, 0, 0);
    if (width < texWidth) padded->Paste(*pixmap->Window(width - 1, 0, 1, height), width, 0);
    if (height < texHeight) {
        padded->Paste(*pixmap->Window(0, height - 1, width, 1), 0, height);
        if (width < texWidth) padded->Paste(*pixmap->Window(width - 1, height - 1, 1, 1), width, height);
    }
    return padded;
}

// A new texture of the given size with undefined pixels, left bound.
GLTexture CreateTexture(int width, int height, int flags) {
    GLTexture texture = GLTexture::Create();
    BindTexture(texture.Name());
    GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE));
    GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE));
    bool mipmapped = flags & IMAGE_MIPMAPPED;
    if (flags & IMAGE_FILTERED) {
        GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR));
        GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR));
    } else {
        GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST));
        GL_CALL(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                                mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST));
    }
    for (int level = 0;; ++level) {
        GL_CALL(glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr));
        if (!mipmapped || (width == 1 && height == 1)) break;
        if (width > 1) width /= 2;
        if (height > 1) height /= 2;
    }
    return texture;
}

// Writes the pixmap's pixels (and its halvings, when mipmapped) into the bound texture.
void Upload(Ref<TPixmap> pixmap, int flags) {
    for (int level = 0;; ++level) {
        GL_CALL(glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap->pitch / BytesPerPixel(pixmap->format)));
        GL_CALL(glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, pixmap->width, pixmap->height, GL_RGBA, GL_UNSIGNED_BYTE,
                                pixmap->pixels));
        if (!(flags & IMAGE_MIPMAPPED)) break;
        int width = pixmap->width, height = pixmap->height;
        if (width == 1 && height == 1) break;
        pixmap = ResizePixmap(pixmap, width > 1 ? width / 2 : 1, height > 1 ? height / 2 : 1);
    }
    GL_CALL(glPixelStorei(GL_UNPACK_ROW_LENGTH, 0));
}

}  // namespace

void AdjustTexSize(int& width, int& height) {
    width = NextPowerOfTwo(width);
    height = NextPowerOfTwo(height);
    while (!SizeAccepted(width, height)) {
        if (width == 1 && height == 1) throw TRuntimeException(u"Unable to calculate tex size");
        if (width > 1) width /= 2;
        if (height > 1) height /= 2;
    }
}

Ref<TGLImageFrame> TGLImageFrame::CreateFromPixmap(const Ref<TPixmap>& source, int flags) {
    if (!source || source->width < 1 || source->height < 1) return nullptr;
    int texWidth = source->width, texHeight = source->height;
    AdjustTexSize(texWidth, texHeight);
    // A picture larger than any accepted texture is scaled down to fit.
    int width = std::min(source->width, texWidth), height = std::min(source->height, texHeight);
    Ref<TPixmap> pixmap = source;
    if (width != source->width || height != source->height) pixmap = ResizePixmap(source, width, height);

    auto frame = New<TGLImageFrame>();
    frame->texture = CreateTexture(texWidth, texHeight, flags);
    Upload(PaddedToTexture(pixmap, texWidth, texHeight), flags);
    frame->uscale = 1.0f / texWidth;
    frame->vscale = 1.0f / texHeight;
    frame->u1 = width * frame->uscale;
    frame->v1 = height * frame->vscale;
    return frame;
}

void TGLImageFrame::Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
                         float sh) {
    EnableTexturing(texture.Name());
    const GLDriverState& gl = GLState();
    uint32_t color = PackedColor();
    float tu0 = sx * uscale, tv0 = sy * vscale, tu1 = (sx + sw) * uscale, tv1 = (sy + sh) * vscale;
    // The four corners through the current matrix, offset by (tx, ty).
    float ax = x0 * gl.ix, bx = x1 * gl.ix, ay = x0 * gl.jx, by = x1 * gl.jx;
    float cx = y0 * gl.iy + tx, dx = y1 * gl.iy + tx, cy = y0 * gl.jy + ty, dy = y1 * gl.jy + ty;
    GLVertex* v = BatchVertices(GL_QUADS, 4);
    v[0] = {ax + cx, ay + cy, tu0, tv0, color};
    v[1] = {bx + cx, by + cy, tu1, tv0, color};
    v[2] = {bx + dx, by + dy, tu1, tv1, color};
    v[3] = {ax + dx, ay + dy, tu0, tv1, color};
    EndPrimitive();
}

}  // namespace vellum
