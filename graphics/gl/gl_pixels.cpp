// Copying pixels between pixmaps and the frame buffer.

#include "gl/gl_state.h"
#include "gl/gl_driver.h"
#include "graphics/pixmap_functions.h"

namespace vellum {

void TGLVel2DDriver::DrawPixmap(const Ref<TPixmap>& source, int x, int y) {
    FlushBatch();
    int blend = GLState().blend;
    DisableTexturing();
    SetBlend(BLEND_SOLID);
    Ref<TPixmap> pixmap = source->format == FMT_RGBA8888 ? source : source->Convert(FMT_RGBA8888);
    GL_CALL(glPixelZoom(1, -1));  // rows go downward
    // Start at the window origin and move with an empty bitmap, so the raster
    // position stays valid even when (x, y) is off-screen.
    GL_CALL(glRasterPos2i(0, 0));
    GL_CALL(glBitmap(0, 0, 0, 0, static_cast<float>(x), static_cast<float>(-y), nullptr));
    GL_CALL(glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap->pitch / 4));
    GL_CALL(glDrawPixels(pixmap->width, pixmap->height, GL_RGBA, GL_UNSIGNED_BYTE, pixmap->pixels));
    GL_CALL(glPixelStorei(GL_UNPACK_ROW_LENGTH, 0));
    GL_CALL(glPixelZoom(1, 1));
    SetBlend(blend);
}

Ref<TPixmap> TGLVel2DDriver::GrabPixmap(int x, int y, int width, int height) {
    if (width < 1 || height < 1) return nullptr;
    FlushBatch();
    int blend = GLState().blend;
    SetBlend(BLEND_SOLID);
    auto pixmap = CreatePixmap(width, height, FMT_RGBA8888, 4);
    GL_CALL(glPixelStorei(GL_PACK_ROW_LENGTH, pixmap->pitch / 4));
    GL_CALL(glPixelStorei(GL_PACK_ALIGNMENT, 4));
    GL_CALL(glReadPixels(x, GraphicsHeight() - height - y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixmap->pixels));
    GL_CALL(glPixelStorei(GL_PACK_ROW_LENGTH, 0));
    pixmap = YFlipPixmap(pixmap);  // row 0 at the top
    SetBlend(blend);
    return pixmap;
}

}  // namespace vellum
