// TrueType, OpenType (CFF) and bitmap fonts through the FreeType loader.

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "font/freetype_font.h"
#include "picture_test_util.h"
#include "runtime/exception.h"
#include "stream/bank_functions.h"
#include "stream/open_stream.h"

namespace vellum {
namespace {

const String kTrueType = u"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const String kOpenType = u"/usr/share/fonts/opentype/lobster/lobster.otf";

// A bitmap font of one 8 x 3 glyph, "A", at 10 pixels.
const char* kBdf = R"(STARTFONT 2.1
FONT -test-tiny-medium-r-normal--10-100-75-75-c-80-iso10646-1
SIZE 10 75 75
FONTBOUNDINGBOX 8 10 0 -2
STARTPROPERTIES 6
PIXEL_SIZE 10
POINT_SIZE 100
FONT_ASCENT 8
FONT_DESCENT 2
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
ENDPROPERTIES
CHARS 1
STARTCHAR A
ENCODING 65
SWIDTH 800 0
DWIDTH 8 0
BBX 8 3 0 2
BITMAP
81
FF
3C
ENDCHAR
ENDFONT
)";

class FontTest : public test::PictureTest {
protected:
    void SetUp() override {
        test::PictureTest::SetUp();
        dir_ = std::filesystem::temp_directory_path() / ("vellum-font-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    String WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return FromUtf8((dir_ / name).string());
    }

    std::filesystem::path dir_;
};

struct GlyphShot {
    std::vector<int> pixels;
    int x, y, w, h;
    float advance;
    bool operator==(const GlyphShot&) const = default;
};

GlyphShot Shoot(const Ref<TFont>& font, int character) {
    auto glyph = font->LoadGlyph(font->CharToGlyph(character));
    GlyphShot shot{};
    glyph->GetRect(shot.x, shot.y, shot.w, shot.h);
    shot.advance = glyph->Advance();
    if (auto pixmap = Cast<TPixmap>(glyph->Pixels())) shot.pixels = test::Pixels(pixmap);
    return shot;
}

TEST_F(FontTest, TrueTypeAndOpenTypeFontsRenderAtSize64) {
    for (const String& path : {kTrueType, kOpenType}) {
        auto font = Cast<TFreeTypeFont>(LoadFont(path, 64, 0));
        ASSERT_NE(font, nullptr) << ToUtf8(path);
        EXPECT_GT(font->Height(), 64);
        EXPECT_GT(font->_ascend, 0);
        EXPECT_LT(font->_descend, 0);
        EXPECT_GT(font->CountGlyphs(), 100);
        int index = font->CharToGlyph('A');
        ASSERT_GE(index, 0);
        auto glyph = Cast<TFreeTypeGlyph>(font->LoadGlyph(index));
        EXPECT_EQ(font->LoadGlyph(index), glyph);  // rendered once, kept
        auto pixmap = Cast<TPixmap>(glyph->Pixels());
        ASSERT_NE(pixmap, nullptr);
        EXPECT_EQ(pixmap->format, FMT_A8);
        int x, y, w, h;
        glyph->GetRect(x, y, w, h);
        EXPECT_EQ(w, pixmap->width);
        EXPECT_EQ(h, pixmap->height);
        EXPECT_GT(h, 30);
        EXPECT_GE(y, 0);  // a capital starts at or below the ascender
        EXPECT_GT(glyph->Advance(), 20.0f);
        EXPECT_EQ(glyph->Advance(), static_cast<float>(static_cast<int>(glyph->Advance())));
        int opaque = 0;
        for (int v : test::Pixels(pixmap)) opaque += static_cast<uint32_t>(v) >> 24 == 255;
        EXPECT_GT(opaque, 100);
    }
}

TEST_F(FontTest, PathStreamUrlStreamAndBankGiveIdenticalGlyphs) {
    auto plain = LoadFont(kTrueType, 24, 0);
    auto url = LoadFont(u"littleendian::" + kTrueType, 24, 0);
    auto bank = LoadFont(Ref<TObject>(LoadBank(kTrueType)), 24, 0);
    auto stream = LoadFont(Ref<TObject>(OpenReadStream(kTrueType)), 24, 0);
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(url, nullptr);
    ASSERT_NE(bank, nullptr);
    ASSERT_NE(stream, nullptr);
    for (int c : {int('g'), int('W'), int('@'), 0x00E9}) {
        EXPECT_EQ(Shoot(url, c), Shoot(plain, c));
        EXPECT_EQ(Shoot(bank, c), Shoot(plain, c));
        EXPECT_EQ(Shoot(stream, c), Shoot(plain, c));
    }
}

TEST_F(FontTest, FailuresGiveNull) {
    EXPECT_EQ(LoadFont(kTrueType, 0, 0), nullptr);
    EXPECT_EQ(LoadFont(kTrueType, -3, 0), nullptr);
    EXPECT_EQ(LoadFont(kTrueType, TFreeTypeFont::MAX_SIZE + 1, 0), nullptr);
    EXPECT_EQ(LoadFont(u"", 12, 0), nullptr);
    EXPECT_EQ(LoadFont(u"/no/such/font.ttf", 12, 0), nullptr);
    EXPECT_EQ(LoadFont(WriteFile("junk.ttf", "this is not a font"), 12, 0), nullptr);
    EXPECT_EQ(LoadFont(u"littleendian::" + WriteFile("empty.ttf", ""), 12, 0), nullptr);
    EXPECT_EQ(LoadFont(u"nosuchproto::x", 12, 0), nullptr);
    EXPECT_EQ(LoadFont(Ref<TObject>(TPixmap::Create(1, 1, FMT_A8, 4)), 12, 0), nullptr);
    EXPECT_EQ(LoadFont(Ref<TObject>(nullptr), 12, 0), nullptr);
}

TEST_F(FontTest, SmoothGlyphsHaveATransparentBorder) {
    auto sharp = LoadFont(kTrueType, 32, 0);
    auto smooth = LoadFont(kTrueType, 32, FONT_SMOOTH | 1);
    ASSERT_NE(smooth, nullptr);
    EXPECT_EQ(smooth->Style(), FONT_SMOOTH | 1);
    for (int c : {int('A'), int('g'), int('.'), int('|'), 0x00C5}) {
        GlyphShot a = Shoot(sharp, c), b = Shoot(smooth, c);
        EXPECT_EQ(b.w, a.w + 2);
        EXPECT_EQ(b.h, a.h + 2);
        EXPECT_EQ(b.x, a.x - 1);
        EXPECT_EQ(b.y, a.y - 1);
        EXPECT_EQ(b.advance, a.advance);
        auto pixmap = Cast<TPixmap>(smooth->LoadGlyph(smooth->CharToGlyph(c))->Pixels());
        ASSERT_NE(pixmap, nullptr);
        for (int x = 0; x < b.w; x++) EXPECT_EQ(pixmap->ReadPixel(x, 0), 0x00FFFFFF);
        for (int y = 0; y < b.h; y++) EXPECT_EQ(pixmap->ReadPixel(b.w - 1, y), 0x00FFFFFF);
        EXPECT_EQ(test::Pixels(pixmap->Window(1, 1, a.w, a.h)), a.pixels);
    }
}

TEST_F(FontTest, MissingCharactersAndBlankGlyphs) {
    auto font = LoadFont(kTrueType, 20, FONT_SMOOTH);
    EXPECT_EQ(font->CharToGlyph(0x4E00), -1);  // no CJK in this face
    EXPECT_EQ(font->CharToGlyph(-5), -1);
    auto space = font->LoadGlyph(font->CharToGlyph(' '));
    EXPECT_EQ(space->Pixels(), nullptr);
    EXPECT_GT(space->Advance(), 0.0f);
    int x, y, w, h;
    space->GetRect(x, y, w, h);
    EXPECT_EQ(w, 0);  // no border without pixels
    EXPECT_THROW(font->LoadGlyph(font->CountGlyphs()), TRuntimeException);
    EXPECT_THROW(font->LoadGlyph(-1), TRuntimeException);
}

TEST_F(FontTest, BitmapFontTakesTheLargestSizeNotAboveTheRequest) {
    String path = WriteFile("tiny.bdf", kBdf);
    EXPECT_EQ(LoadFont(path, 9, 0), nullptr);
    auto font = Cast<TFreeTypeFont>(LoadFont(path, 30, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Height(), 10);
    EXPECT_EQ(font->_ascend, 8);
    GlyphShot a = Shoot(font, 'A');
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.y, 3);  // ascender 8, bitmap top 5 above the baseline
    EXPECT_EQ(a.w, 8);
    EXPECT_EQ(a.h, 3);
    EXPECT_EQ(a.advance, 8.0f);
    const int o = -1, _ = 0x00FFFFFF;  // opaque and clear A8 pixels
    EXPECT_EQ(a.pixels, (std::vector<int>{o, _, _, _, _, _, _, o,  //
                                          o, o, o, o, o, o, o, o,  //
                                          _, _, o, o, o, o, _, _}));
}

TEST_F(FontTest, DamagedBitmapGlyphHasNoPixels) {
    // A mangled bitmap font whose glyph claims 8 x 3 pixels with no rows behind them.
    const char damaged[] =
    "STARTFONT 2.1\n"
    "FONT ,-test-t\x01\x00y-medium-r-normal--10-100-75-75-c-80-kso10646-1\n"
    "SIZE \xf7"
    "0 \xc9\xd0 75\n"
    "FONTBOUNDINGBOX 8 10ERTIES\n"
    "CHARS 0\n"
    "STARTCHAR A\n"
    "ENCODING 65\n"
    "SWIDTH bsdf800 0\n"
    "DWIDTH 8 0\n"
    "BBX 8 3 gasp\x00\x07\x00\x07\x00\x00\x04X\x00\x00\x00\x0cg\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
    "3C\n"
    "ENDCHAR\n"
    "ENDFONT\n";
    auto bank = CreateBank(sizeof damaged - 1);
    std::memcpy(BankBuf(bank), damaged, sizeof damaged - 1);
    auto font = LoadFont(Ref<TObject>(bank), 9, 0);
    ASSERT_NE(font, nullptr);
    ASSERT_GT(font->CountGlyphs(), 0);
    EXPECT_EQ(font->LoadGlyph(0)->Pixels(), nullptr);
}

TEST_F(FontTest, LoaderChainAddsOnce) {
    auto first = FirstFontLoader();
    EXPECT_NE(Cast<TFreeTypeFontLoader>(first), nullptr);
    EXPECT_EQ(first->_succ, nullptr);
    AddFontLoader(first);
    EXPECT_EQ(first->_succ, nullptr);
}

}  // namespace
}  // namespace vellum
