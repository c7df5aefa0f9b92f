#include "game/image_bank.h"

namespace tiderush {

namespace {

// The position of the extension's dot, or npos when the file name has none.
size_t ExtensionDot(const String& path) {
    size_t dot = path.rfind(u'.');
    if (dot == String::npos || path.find(u'/', dot) != String::npos) return String::npos;
    return dot;
}

// The upper-cased file name without folder and extension: the image's key.
String KeyOf(const String& url) {
    String path = vellum::ForwardSlashes(url);
    size_t dot = ExtensionDot(path);
    if (dot != String::npos) path.resize(dot);
    size_t slash = path.rfind(u'/');
    return vellum::ToUpper(slash == String::npos ? path : path.substr(slash + 1));
}

}  // namespace

Ref<vellum::TImage> LoadImageOrFail(const String& url, int flags) {
    auto image = vellum::LoadImage(url, flags);
    if (!image) ReportFatalError(u"Error loading image " + url, 1);
    return image;
}

Ref<vellum::TImage> LoadAnimImageOrFail(const String& url, int cellWidth, int cellHeight, int firstCell,
                                         int cellCount, int flags) {
    auto image = vellum::LoadAnimImage(url, cellWidth, cellHeight, firstCell, cellCount, flags);
    if (!image) ReportFatalError(u"Error loading anim image " + url, 1);
    return image;
}

void ReportFatalError(const String& message, int) {
    vellum::Notify(message, 0);
    throw vellum::TRuntimeException(message);
}

void PrecacheImageFrames(const Ref<vellum::TImage>& image) {
    if (!image) return;
    for (int i = 0; i < static_cast<int>(image->frames.size()); ++i) image->Frame(i);
}

String EnsureTrailingSlash(const String& path) {
    if (!path.empty() && (path.back() == u'/' || path.back() == u'\\')) return path;
    return path + u"/";
}

Ref<TGameImage> TGameImage::Create(const String& url, int flags, int midHandle) {
    auto image = vellum::New<TGameImage>();
    image->Load(url, flags, midHandle);
    return image;
}

Ref<TGameImage> TGameImage::CreateAuto(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount,
                                       int flags, int midHandle) {
    auto image = vellum::New<TGameImage>();
    if (cellCount > 1)
        image->LoadAnim(url, cellWidth, cellHeight, firstCell, cellCount, flags, midHandle);
    else
        image->Load(url, flags, midHandle);
    return image;
}

Ref<TGameImage> TGameImage::CreateFromImage(Ref<vellum::TImage> engineImage, const String& name, int midHandle) {
    auto image = vellum::New<TGameImage>();
    image->name = name;
    image->image = std::move(engineImage);
    image->GetSize();
    image->SetMidHandle(midHandle);
    return image;
}

void TGameImage::Load(const String& url, int flags, int midHandle) {
    name = KeyOf(url);
    image = LoadImageOrFail(url, flags);
    GetSize();
    SetMidHandle(midHandle);
}

void TGameImage::LoadAnim(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags,
                          int midHandle) {
    name = KeyOf(url);
    image = LoadAnimImageOrFail(url, cellWidth, cellHeight, firstCell, cellCount, flags);
    GetSize();
    SetMidHandle(midHandle);
}

void TGameImage::GetSize() {
    if (!image) return;
    w = vellum::ImageWidth(image);
    h = vellum::ImageHeight(image);
    w2 = static_cast<float>(w / 2);
    h2 = static_cast<float>(h / 2);
}

void TGameImage::SetMidHandle(int flag) {
    if (flag) {
        vellum::MidHandleImage(image);
        midHandled = 1;
    } else {
        vellum::SetImageHandle(image, 0, 0);
        midHandled = 0;
    }
}

void TGameImage::Draw(float x, float y) const { vellum::DrawImage(image, x, y, 0); }

int TGameImage::CalcRAM() const {
    int frames = image ? static_cast<int>(image->frames.size()) : 0;
    return vellum::ImageWidth(image) * 4 * vellum::ImageHeight(image) * frames;
}

int TGameImage::CalcVRAM() const {
    int frames = image ? static_cast<int>(image->frames.size()) : 0;
    return NextPowerOfTwo(vellum::ImageWidth(image)) * 4 * NextPowerOfTwo(vellum::ImageHeight(image)) * frames;
}

void TGameImage::Precache() const { PrecacheImageFrames(image); }

Ref<TImageBank> TImageBank::Create(const String& newPath) {
    auto bank = vellum::New<TImageBank>();
    bank->SetPath(newPath);
    return bank;
}

void TImageBank::SetPath(const String& newPath) { path = EnsureTrailingSlash(newPath); }

void TImageBank::Load(const String& url, const String& name, int flags, int midHandle) {
    auto image = vellum::New<TGameImage>();
    String base = vellum::ForwardSlashes(url);
    String ext = u".";
    size_t dot = ExtensionDot(base);
    if (dot != String::npos) {
        ext += base.substr(dot + 1);
        base.resize(dot);
    }
    if (ext == u".") ext = defaultExt;
    image->Load(path + base + ext, flags, midHandle);
    if (!name.empty()) image->name = vellum::ToUpper(name);
    Insert(image->name, image);
}

void TImageBank::LoadNoMidHandle(const String& url, const String& name, int flags) { Load(url, name, flags, 0); }

void TImageBank::LoadAnim(const String& url, int cellWidth, int cellHeight, int firstCell, int cellCount, int flags,
                          int midHandle) {
    auto image = vellum::New<TGameImage>();
    image->LoadAnim(path + url + defaultExt, cellWidth, cellHeight, firstCell, cellCount, flags,
                    midHandle == 1 ? 1 : 0);
    Insert(image->name, image);
}

Ref<TGameImage> TImageBank::Find(const String& name) const {
    String key = vellum::ToUpper(name);
    auto image = vellum::Cast<TGameImage>(ValueForKey(key));
    if (!image) ReportFatalError(u"Image '" + key + u"' was not found in the ImageBank", 1);
    return image;
}

Ref<vellum::TImage> TImageBank::FindTImage(const String& name) const {
    auto image = vellum::Cast<TGameImage>(ValueForKey(vellum::ToUpper(name)));
    return image ? image->image : nullptr;
}

int TImageBank::CalcRAM() const {
    int total = 0;
    for (const auto& [key, value] : All())
        if (auto image = vellum::Cast<TGameImage>(value)) total += image->CalcRAM();
    return total / 1024;
}

int TImageBank::CalcVRAM() const {
    int total = 0;
    for (const auto& [key, value] : All())
        if (auto image = vellum::Cast<TGameImage>(value)) total += image->CalcVRAM();
    return total / 1024;
}

void TImageBank::Precache() const {
    for (const auto& [key, value] : All())
        if (auto image = vellum::Cast<TGameImage>(value)) image->Precache();
}

}  // namespace tiderush
