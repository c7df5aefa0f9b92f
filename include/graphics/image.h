#pragma once
/// \file
/// Images: sequences of equally sized frames, each kept as a pixel buffer (the
/// master copy) and as a driver frame made from it on demand, re-made whenever
/// the graphics context changes.

#include <vector>

#include "graphics/pixmap.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Image flags of the loaders and CreateImage.
enum : int {
    IMAGE_MASKED = 1,     ///< pictures without alpha become transparent where they have the mask colour
    IMAGE_FILTERED = 2,   ///< smooth scaling and rotation instead of the nearest pixel
    IMAGE_MIPMAPPED = 4,  ///< smaller copies for drawing much reduced
    IMAGE_DYNAMIC = 8     ///< the pixels change often (Lock with write)
};

/// A drawable copy of one frame's pixels, made by a 2D driver.
class TImageFrame : public TObject {
public:
    /// Draws the source rectangle (sx, sy, sw, sh) onto the local rectangle
    /// (x0, y0)-(x1, y1), through the current transform, offset by (tx, ty).
    virtual void Draw(float x0, float y0, float x1, float y1, float tx, float ty, float sx, float sy, float sw,
                      float sh) = 0;
};

/// An image: one or more frames of the same size, drawn by DrawImage.
class TImage : public TObject {
public:
    ///@{
    /// The size of every frame in pixels.
    int width = 0, height = 0;
    ///@}
    int flags = 0;  ///< the IMAGE_ flags
    ///@{
    /// The mask colour of IMAGE_MASKED, 0 to 255 per channel.
    int mask_r = 0, mask_g = 0, mask_b = 0;
    ///@}
    ///@{
    /// The point of the image placed at its draw position, in pixels from the top left.
    float handle_x = 0.0f, handle_y = 0.0f;
    ///@}
    std::vector<Ref<TPixmap>> pixmaps;     ///< each frame's pixels, the master copy
    std::vector<Ref<TImageFrame>> frames;  ///< each frame as the 2D driver made it, Null until drawn
    std::vector<int> seqs;  ///< graphicsSeq each driver frame was made at; 0 for none

    /// The driver frame of frame index, made or re-made as needed; Null if the
    /// driver cannot make it (or the index is out of range).
    const Ref<TImageFrame>& Frame(int index);
    /// The pixel buffer of frame index, created blank if needed; with write,
    /// the driver frame is rebuilt at the next draw.
    Ref<TPixmap> Lock(int index, int read, int write);
    /// Stores a frame's pixels, masking pictures without alpha if IMAGE_MASKED.
    void SetPixmap(int index, Ref<TPixmap> pixmap);

    /// An image of frameCount blank frames of width x height; Null for a size
    /// or count below 1.
    static Ref<TImage> Create(int width, int height, int frameCount, int flags, int maskR, int maskG, int maskB);
    /// A one-frame image of a pixmap or of a picture loaded from url; Null on failure.
    static Ref<TImage> Load(const Ref<TObject>& url, int flags, int maskR, int maskG, int maskB);
    /// Frames cut from a strip of cells; Null if the picture has too few cells.
    static Ref<TImage> LoadAnim(const Ref<TObject>& url, int cellWidth, int cellHeight, int first, int count,
                                int flags, int maskR, int maskG, int maskB);
};

/// A one-frame image of a picture file, stream, url or pixmap; Null when it
/// cannot be read. flags -1 means the auto image flags (IMAGE_MASKED |
/// IMAGE_FILTERED unless changed).
///@{
Ref<TImage> LoadImage(const Ref<TObject>& url, int flags = -1);
Ref<TImage> LoadImage(const String& url, int flags = -1);
///@}
/// An image of count frames cut from a picture of cellWidth x cellHeight
/// cells, left to right and top to bottom, starting at cell first; Null when
/// it cannot be read or has too few cells.
///@{
Ref<TImage> LoadAnimImage(const Ref<TObject>& url, int cellWidth, int cellHeight, int first, int count,
                          int flags = -1);
Ref<TImage> LoadAnimImage(const String& url, int cellWidth, int cellHeight, int first, int count, int flags = -1);
///@}
/// A blank image for the program to write (IMAGE_DYNAMIC is added).
Ref<TImage> CreateImage(int width, int height, int frames = 1, int flags = -1);
/// The pixels of a frame to read or change (TImage::Lock); Null for a Null image.
Ref<TPixmap> LockImage(const Ref<TImage>& image, int frame = 0, int read = 1, int write = 1);
/// Nothing to do: a write lock already discarded the driver frame.
void UnlockImage(const Ref<TImage>& image, int frame = 0);
/// Sets the image's handle: the point placed at its draw position.
void SetImageHandle(const Ref<TImage>& image, float x, float y);
/// Puts the image's handle at its centre.
void MidHandleImage(const Ref<TImage>& image);
/// The size of the image's frames; 0 for a Null image.
///@{
int ImageWidth(const Ref<TImage>& image);
int ImageHeight(const Ref<TImage>& image);
///@}
/// With enable, loaded and created images get their handle at the centre.
void AutoMidHandle(int enable);
/// Sets the flags used for flags -1 (unless flags is -1 itself).
void AutoImageFlags(int flags);
/// The flags used for flags -1.
int GetAutoImageFlags();

/// The smallest power of two at or above n (1 for n <= 1, at most 2^30): the
/// side a 2D driver pads a frame's texture to.
int NextPowerOfTwo(int n);

/// Draws the frame with the image's handle at (x, y).
void DrawImage(const Ref<TImage>& image, float x, float y, int frame = 0);
/// Draws the whole frame stretched to width x height.
void DrawImageRect(const Ref<TImage>& image, float x, float y, float width, float height, int frame = 0);
/// Draws the source rectangle (sx, sy, sw, sh) stretched to width x height,
/// with the handle (hx, hy) in source pixels.
void DrawImagePart(const Ref<TImage>& image, float x, float y, float width, float height, float sx, float sy,
                   float sw, float sh, float hx = 0, float hy = 0, int frame = 0);

}  // namespace vellum
#pragma GCC visibility pop
