#include "graphics/image.h"

#include "draw/drawing_state.h"
#include "graphics/pixmap_functions.h"
#include "graphics/pixmap_loader.h"

namespace vellum {

namespace {

struct ImageSettings {
    int autoFlags = IMAGE_MASKED | IMAGE_FILTERED;
    int autoMidHandle = 0;
};

ImageSettings& Settings() {
    static ImageSettings settings;
    return settings;
}

bool ValidFrame(const TImage& image, int index) {
    return index >= 0 && index < static_cast<int>(image.pixmaps.size());
}

Ref<TPixmap> PixmapOf(const Ref<TObject>& url) {
    if (auto pixmap = Cast<TPixmap>(url)) return pixmap;
    return LoadPixmap(url);
}

Ref<TImage> WithAutoHandle(Ref<TImage> image) {
    if (image && Settings().autoMidHandle) MidHandleImage(image);
    return image;
}

// The frame to draw, with its local rectangle's origin at -handle.
TImageFrame* FrameToDraw(const Ref<TImage>& image, int frame, TVel2DGraphics*& context) {
    context = Drawing().context.get();
    if (!image || !context || !Drawing().driver) return nullptr;
    return image->Frame(frame).get();
}

}  // namespace

const Ref<TImageFrame>& TImage::Frame(int index) {
    static const Ref<TImageFrame> none;
    if (!ValidFrame(*this, index)) return none;
    int seq = GraphicsSeq();
    if (seqs[index] != seq) {
        auto driver = Drawing().driver;
        frames[index] = driver ? driver->CreateFrameFromPixmap(Lock(index, 1, 0), flags) : nullptr;
        seqs[index] = frames[index] ? seq : 0;
    }
    return frames[index];
}

Ref<TPixmap> TImage::Lock(int index, int, int write) {
    if (!ValidFrame(*this, index)) return nullptr;
    if (write) {
        seqs[index] = 0;
        frames[index] = nullptr;
    }
    if (!pixmaps[index]) pixmaps[index] = CreatePixmap(width, height, FMT_RGBA8888, 4);
    return pixmaps[index];
}

void TImage::SetPixmap(int index, Ref<TPixmap> pixmap) {
    if (!ValidFrame(*this, index)) return;
    if ((flags & IMAGE_MASKED) && pixmap && !FormatHasAlpha(pixmap->format))
        pixmap = MaskPixmap(pixmap, mask_r, mask_g, mask_b);
    pixmaps[index] = std::move(pixmap);
    seqs[index] = 0;
    frames[index] = nullptr;
}

Ref<TImage> TImage::Create(int width, int height, int frameCount, int flags, int maskR, int maskG, int maskB) {
    if (width < 1 || height < 1 || frameCount < 1) return nullptr;
    auto image = New<TImage>();
    image->width = width;
    image->height = height;
    image->flags = flags;
    image->mask_r = maskR, image->mask_g = maskG, image->mask_b = maskB;
    image->pixmaps.resize(frameCount);
    image->frames.resize(frameCount);
    image->seqs.assign(frameCount, 0);
    return image;
}

Ref<TImage> TImage::Load(const Ref<TObject>& url, int flags, int maskR, int maskG, int maskB) {
    Ref<TPixmap> pixmap = PixmapOf(url);
    if (!pixmap) return nullptr;
    auto image = Create(pixmap->width, pixmap->height, 1, flags, maskR, maskG, maskB);
    if (image) image->SetPixmap(0, pixmap);
    return image;
}

Ref<TImage> TImage::LoadAnim(const Ref<TObject>& url, int cellWidth, int cellHeight, int first, int count,
                             int flags, int maskR, int maskG, int maskB) {
    if (cellWidth < 1 || cellHeight < 1 || first < 0 || count < 1) return nullptr;
    Ref<TPixmap> pixmap = PixmapOf(url);
    if (!pixmap) return nullptr;
    int across = pixmap->width / cellWidth;
    if (static_cast<long long>(across) * (pixmap->height / cellHeight) < static_cast<long long>(first) + count)
        return nullptr;
    auto image = Create(cellWidth, cellHeight, count, flags, maskR, maskG, maskB);
    for (int cell = first; cell < first + count; ++cell) {
        auto window = pixmap->Window((cell % across) * cellWidth, (cell / across) * cellHeight, cellWidth, cellHeight);
        image->SetPixmap(cell - first, window->Copy());
    }
    return image;
}

Ref<TImage> LoadImage(const Ref<TObject>& url, int flags) {
    int r, g, b;
    GetMaskColor(r, g, b);
    return WithAutoHandle(TImage::Load(url, flags == -1 ? Settings().autoFlags : flags, r, g, b));
}

Ref<TImage> LoadImage(const String& url, int flags) { return LoadImage(BoxString(url), flags); }

Ref<TImage> LoadAnimImage(const Ref<TObject>& url, int cellWidth, int cellHeight, int first, int count, int flags) {
    int r, g, b;
    GetMaskColor(r, g, b);
    return WithAutoHandle(TImage::LoadAnim(url, cellWidth, cellHeight, first, count,
                                           flags == -1 ? Settings().autoFlags : flags, r, g, b));
}

Ref<TImage> LoadAnimImage(const String& url, int cellWidth, int cellHeight, int first, int count, int flags) {
    return LoadAnimImage(BoxString(url), cellWidth, cellHeight, first, count, flags);
}

Ref<TImage> CreateImage(int width, int height, int frames, int flags) {
    int r, g, b;
    GetMaskColor(r, g, b);
    flags = (flags == -1 ? Settings().autoFlags : flags) | IMAGE_DYNAMIC;
    return WithAutoHandle(TImage::Create(width, height, frames, flags, r, g, b));
}

Ref<TPixmap> LockImage(const Ref<TImage>& image, int frame, int read, int write) {
    return image ? image->Lock(frame, read, write) : nullptr;
}

void UnlockImage(const Ref<TImage>&, int) {}

void SetImageHandle(const Ref<TImage>& image, float x, float y) {
    if (image) image->handle_x = x, image->handle_y = y;
}

void MidHandleImage(const Ref<TImage>& image) {
    if (image) image->handle_x = image->width * 0.5f, image->handle_y = image->height * 0.5f;
}

int ImageWidth(const Ref<TImage>& image) { return image ? image->width : 0; }
int ImageHeight(const Ref<TImage>& image) { return image ? image->height : 0; }

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}
void AutoMidHandle(int enable) { Settings().autoMidHandle = enable; }

void AutoImageFlags(int flags) {
    if (flags != -1) Settings().autoFlags = flags;
}

int GetAutoImageFlags() { return Settings().autoFlags; }

void DrawImage(const Ref<TImage>& image, float x, float y, int frame) {
    TVel2DGraphics* c;
    TImageFrame* f = FrameToDraw(image, frame, c);
    if (!f) return;
    float x0 = -image->handle_x, y0 = -image->handle_y;
    f->Draw(x0, y0, x0 + image->width, y0 + image->height, x + c->origin_x, y + c->origin_y, 0, 0,
            static_cast<float>(image->width), static_cast<float>(image->height));
}

void DrawImageRect(const Ref<TImage>& image, float x, float y, float width, float height, int frame) {
    TVel2DGraphics* c;
    TImageFrame* f = FrameToDraw(image, frame, c);
    if (!f) return;
    float x0 = -image->handle_x, y0 = -image->handle_y;
    f->Draw(x0, y0, x0 + width, y0 + height, x + c->origin_x, y + c->origin_y, 0, 0,
            static_cast<float>(image->width), static_cast<float>(image->height));
}

void DrawImagePart(const Ref<TImage>& image, float x, float y, float width, float height, float sx, float sy,
                   float sw, float sh, float hx, float hy, int frame) {
    TVel2DGraphics* c;
    TImageFrame* f = FrameToDraw(image, frame, c);
    if (!f || sw == 0 || sh == 0) return;
    float x0 = -hx * width / sw, y0 = -hy * height / sh;
    f->Draw(x0, y0, x0 + width, y0 + height, x + c->origin_x, y + c->origin_y, sx, sy, sw, sh);
}

}  // namespace vellum
