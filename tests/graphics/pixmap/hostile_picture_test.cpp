// Files that declare far more than they hold give Null through every way a
// picture is loaded, and cost the process next to nothing: among them a
// 200-byte PNG whose sPLT chunk claims 1.9 GB.

#include <png.h>

#include "graphics/image.h"
#include "peak_memory.h"
#include "picture_test_util.h"
#include "stream/bank_functions.h"
#include "stream/bank_stream.h"

namespace vellum {
namespace {

using test::Bytes;

constexpr long long kMostGrowth = 32LL << 20;

class HostilePictureTest : public test::PictureTest {};

TEST_F(HostilePictureTest, ChunkClaimingGigabytesGivesNullThroughEveryPath) {
    String url = FromUtf8(VELLUM_FUZZ_SEEDS "/png/splt_2gb_chunk.png");
    auto bank = LoadBank(url);
    ASSERT_NE(bank, nullptr);
    ASSERT_EQ(bank->Size(), 200);

    test::PeakMemory memory;
    EXPECT_EQ(LoadPixmap(url), nullptr);
    EXPECT_EQ(LoadImage(url), nullptr);
    EXPECT_EQ(LoadPixmap(u"littleendian::" + url), nullptr);
    EXPECT_EQ(LoadPixmap(Ref<TObject>(CreateBankStream(bank))), nullptr);
    EXPECT_LT(memory.Growth(), kMostGrowth);
}

// A 16000 x 16000 JPEG header of a few hundred bytes, in several scans.
Bytes ProgressiveJpegHeader() {
    Bytes jpeg = test::WriteJpeg(8, 8, 1, std::vector<uint8_t>(64, 0x80));
    size_t sof = jpeg.find("\xFF\xC0");
    jpeg[sof + 1] = '\xC2';
    for (size_t at : {sof + 5, sof + 7}) jpeg[at] = '\x3E', jpeg[at + 1] = '\x80';
    return jpeg;
}

TEST_F(HostilePictureTest, HugeDeclaredSizesInSmallFilesAreRefusedBeforeAllocating) {
    Bytes png = test::WritePngWithoutData(16000, 16000, PNG_COLOR_TYPE_GRAY);
    Bytes jpeg = ProgressiveJpegHeader();
    test::BmpLayout layout;
    layout.width = 1, layout.height = 1, layout.bpp = 32, layout.pixels = {0};
    Bytes bmp = test::WriteBmp(layout);
    for (int i = 0; i < 4; i++) bmp[18 + i] = char(8000 >> (8 * i)), bmp[22 + i] = char(8000 >> (8 * i));

    test::PeakMemory memory;
    TPngLoader pngLoader;
    TJpegLoader jpegLoader;
    TBmpLoader bmpLoader;
    // Refused outright, not found truncated after the picture was made.
    EXPECT_EQ(test::LoadWith(pngLoader, png), nullptr);
    EXPECT_EQ(test::LoadWith(jpegLoader, jpeg), nullptr);
    EXPECT_EQ(test::LoadWith(bmpLoader, bmp), nullptr);
    EXPECT_LT(memory.Growth(), kMostGrowth);
}

TEST_F(HostilePictureTest, LargePictureInAFileThatHoldsItStillLoads) {
    test::PngLayout layout;
    layout.width = 4200, layout.height = 4200, layout.colorType = PNG_COLOR_TYPE_GRAY;
    for (int y = 0; y < layout.height; y++) {
        layout.rows.emplace_back(layout.width);
        for (int x = 0; x < layout.width; x++) layout.rows.back()[x] = (x * 7 + y * 13) & 0xFF;
    }
    auto pixmap = test::LoadBytes(test::WritePng(layout));
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap->ReadPixel(4199, 4199), test::Argb(0xFF000000 | ((4199 * 20) & 0xFF) * 0x010101));
}

}  // namespace
}  // namespace vellum
