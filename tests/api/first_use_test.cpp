// A program that calls no start-up function gets what the game gets after
// starting every module itself: streams, pictures, fonts, sounds, a window.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "vellum.h"

namespace vellum {
namespace {

struct Results {
    String line;
    int pictureWidth = 0, pictureHeight = 0, pictureCentre = 0;
    int fontHeight = 0, fontGlyphs = 0;
    bool soundLoaded = false;
    String audioDriver;
    bool windowOpened = false;
    bool drawsIn2D = false;
    int clearedPixel = 0;

    bool operator==(const Results&) const = default;
};

Results UseEverything(const std::string& textFile) {
    Results r;
    if (auto text = OpenReadStream(u"utf8::" + FromUtf8(textFile))) r.line = text->ReadLine();
    if (auto picture = LoadPixmap(u"" DATA_DIR "/Images/boat.png")) {
        r.pictureWidth = picture->width;
        r.pictureHeight = picture->height;
        r.pictureCentre = picture->ReadPixel(picture->width / 2, picture->height / 2);
    }
    if (auto font = LoadFont(u"" DATA_DIR "/Fonts/beware.ttf", 24, 0)) {
        r.fontHeight = font->Height();
        r.fontGlyphs = font->CountGlyphs();
    }
    r.soundLoaded = LoadSound(u"" DATA_DIR "/Sound/select.wav") != nullptr;
    if (auto driver = CurrentAudioDriver()) r.audioDriver = driver->Name();
    r.windowOpened = OpenGraphics(160, 120) != nullptr;
    r.drawsIn2D = GetGraphicsDriver() == GLVel2DDriver();
    if (r.windowOpened) {
        SetClsColor(40, 80, 120);
        Cls();
        if (auto grabbed = GrabPixmap(0, 0, 4, 4)) r.clearedPixel = grabbed->ReadPixel(1, 1) & 0xffffff;
        CloseGraphics();
    }
    return r;
}

TEST(FirstUseTest, EveryModuleStartsOnFirstUse) {
    auto file = std::filesystem::temp_directory_path() / "vellum-first-use.txt";
    std::ofstream(file) << "h\xC3\xA9llo\n";

    Results implicit = UseEverything(file.string());
    EXPECT_EQ(implicit.line, u"h\u00e9llo");
    EXPECT_GT(implicit.pictureWidth, 0);
    EXPECT_GT(implicit.fontHeight, 0);
    EXPECT_TRUE(implicit.soundLoaded);
    EXPECT_TRUE(implicit.windowOpened);
    EXPECT_TRUE(implicit.drawsIn2D);
    EXPECT_EQ(implicit.clearedPixel, 0x285078);

    // The start-up calls a program like the game makes still work, and
    // change nothing that first use had not already set up.
    InitRuntimeModule();
    InitStreamModule();
    InitSystemModule();
    InitEventQueueModule();
    InitPolledInputModule();
    InitPixmapModule();
    InitFontModule();
    InitAudioModule();
    InitGLDrawingModule();
    Results explicitly = UseEverything(file.string());
    EXPECT_EQ(implicit, explicitly);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace vellum
