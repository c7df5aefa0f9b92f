#pragma once
// The image bank: every picture of the game, loaded once at start-up and
// found by its upper-case name. A missing picture is fatal.

#include "vellum.h"

namespace tiderush {

using vellum::Ref;
using vellum::String;

class TGameImage : public vellum::TObject {
public:
    String name;
    Ref<vellum::TImage> image;
    int w = 0, h = 0;
    float w2 = 0.0f, h2 = 0.0f;  // half sizes, halved as ints
    int midHandled = 0;
    int tag = 0;

    static Ref<TGameImage> Create(const String& url, int flags, int midHandle);
    static Ref<TGameImage> CreateAuto(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount,
                                      int flags, int midHandle);
    static Ref<TGameImage> CreateFromImage(Ref<vellum::TImage> image, const String& name, int midHandle);
    // Loads url (fatal on failure) and names the image after its file.
    void Load(const String& url, int flags, int midHandle);
    void LoadAnim(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags,
                  int midHandle);
    void GetSize();
    void SetMidHandle(int flag);
    void Draw(float x, float y) const;
    // Memory estimates in bytes, 4 bytes a pixel; the video one pads to powers of two.
    int CalcRAM() const;
    int CalcVRAM() const;
    // Makes every frame's texture now rather than at the first draw.
    void Precache() const;
};

class TImageBank : public vellum::TMap {
public:
    String path;                // always ends in a slash once set
    String defaultExt = u".png";

    static Ref<TImageBank> Create(const String& path);
    void SetPath(const String& newPath);
    // Loads path + url (+ the default extension when url has none) and stores
    // it under name, or under its file name when name is empty.
    void Load(const String& url, const String& name, int flags, int midHandle);
    void LoadNoMidHandle(const String& url, const String& name, int flags);
    void LoadAnim(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags,
                  int midHandle);
    // The image stored under the upper-cased name; fatal when absent.
    Ref<TGameImage> Find(const String& name) const;
    // The engine image under the name, or Null.
    Ref<vellum::TImage> FindTImage(const String& name) const;
    // Kilobytes of all images.
    int CalcRAM() const;
    int CalcVRAM() const;
    void Precache() const;
};

// LoadImage, or a fatal "Error loading image " + url.
Ref<vellum::TImage> LoadImageOrFail(const String& url, int flags);
Ref<vellum::TImage> LoadAnimImageOrFail(const String& url, int cellWidth, int cellHeight, int firstCell,
                                         int cellCount, int flags);
// Tells the user, then raises a runtime error with the message.
[[noreturn]] void ReportFatalError(const String& message, int endProgram);
using vellum::NextPowerOfTwo;  // the padding of the engine's 2D driver
void PrecacheImageFrames(const Ref<vellum::TImage>& image);
String EnsureTrailingSlash(const String& path);

}  // namespace tiderush
