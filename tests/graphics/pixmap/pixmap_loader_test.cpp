// The loader chain and LoadPixmap's protocol: order, seeking back for each
// loader, stream errors as Null, and every kind of url.

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "picture_test_util.h"
#include "runtime/exception.h"
#include "stream/bank_stream.h"
#include "stream/open_stream.h"
#include "stream/ram_stream.h"

namespace vellum {
namespace {

using test::Bytes;
// Records where each call found the stream, then behaves as told.
class TRecordingLoader : public TPixmapLoader {
public:
    enum Action { kRefuse, kStreamError, kOtherError };
    explicit TRecordingLoader(Action action) : _action(action) {}

    Ref<TPixmap> LoadPixmap(TStream& stream) override {
        positions.push_back(stream.Pos());
        if (_action == kStreamError) throw TStreamReadException();
        if (_action == kOtherError) throw TRuntimeException(u"broken loader");
        return nullptr;
    }
    std::vector<int> positions;

private:
    Action _action;
};

// Test loaders hang at the end of the chain, so they are asked after the
// real ones; they are taken off again after each test.
class PixmapLoaderTest : public test::PictureTest {
protected:
    void SetUp() override {
        test::PictureTest::SetUp();
        for (tail_ = FirstPixmapLoader(); tail_->_succ;) tail_ = tail_->_succ;
    }
    void TearDown() override { tail_->_succ = nullptr; }

    Ref<TRecordingLoader> Append(TRecordingLoader::Action action) {
        auto loader = New<TRecordingLoader>(action);
        tail_->_succ = loader;
        return loader;
    }

    Ref<TPixmapLoader> tail_;
};

Bytes SmallPng() {
    test::PngLayout layout;
    layout.width = 1, layout.height = 1, layout.colorType = 0, layout.rows = {{0x33}};
    return test::WritePng(layout);
}

TEST_F(PixmapLoaderTest, ChainAsksTgaPngJpegBmp) {
    auto l = FirstPixmapLoader();
    EXPECT_NE(Cast<TTgaLoader>(l), nullptr);
    EXPECT_NE(Cast<TPngLoader>(l = l->_succ), nullptr);
    EXPECT_NE(Cast<TJpegLoader>(l = l->_succ), nullptr);
    EXPECT_NE(Cast<TBmpLoader>(l = l->_succ), nullptr);
    EXPECT_EQ(l->_succ, nullptr);
    InitPixmapModule();  // once only
    RegisterPixmapLoader(FirstPixmapLoader());
    EXPECT_NE(Cast<TTgaLoader>(FirstPixmapLoader()), nullptr);
    EXPECT_EQ(FirstPixmapLoader()->_succ->_succ->_succ->_succ, nullptr);
}

TEST_F(PixmapLoaderTest, EveryLoaderStartsAtTheRememberedPosition) {
    auto last = Append(TRecordingLoader::kRefuse);
    // A stream already advanced past a prefix: after the four real loaders
    // have read and refused, the last one still starts at that position.
    Bytes data = "prefix" + Bytes("RIFF\x24\0\0\0WAVEfmt ", 16) + Bytes(40, '\x01');
    auto stream = CreateRamStream(data.data(), static_cast<int>(data.size()), 1, 0);
    stream->Seek(6);
    EXPECT_EQ(LoadPixmap(Ref<TObject>(stream)), nullptr);
    EXPECT_EQ(last->positions, std::vector<int>{6});
}

TEST_F(PixmapLoaderTest, StreamErrorsCountAsNullOtherErrorsPropagate) {
    // The TGA loader runs out of data on this header: the chain goes on.
    auto last = Append(TRecordingLoader::kStreamError);
    EXPECT_EQ(test::LoadBytes(test::TgaHeader(2, 8, 8, 24)), nullptr);
    EXPECT_EQ(last->positions, std::vector<int>{0});
    Append(TRecordingLoader::kOtherError);
    EXPECT_THROW(test::LoadBytes("garbage"), TRuntimeException);
}

TEST_F(PixmapLoaderTest, UrlsOfEveryKind) {
    Bytes png = SmallPng();
    auto dir = std::filesystem::temp_directory_path() / ("vellum-pixmap-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "a.png", std::ios::binary) << png;
    String path = FromUtf8((dir / "a.png").string());

    auto fromPath = LoadPixmap(path);
    ASSERT_NE(fromPath, nullptr);
    EXPECT_EQ(fromPath->ReadPixel(0, 0), test::Argb(0xFF333333));
    EXPECT_NE(LoadPixmap(u"littleendian::" + path), nullptr);
    auto stream = OpenReadStream(path);
    EXPECT_NE(LoadPixmap(Ref<TObject>(stream)), nullptr);
    EXPECT_NE(test::LoadBytes(png), nullptr);
    EXPECT_EQ(LoadPixmap(FromUtf8((dir / "missing.png").string())), nullptr);
    EXPECT_EQ(LoadPixmap(u""), nullptr);
    std::filesystem::remove_all(dir);
}

TEST_F(PixmapLoaderTest, NothingAcceptsGarbage) {
    auto last = Append(TRecordingLoader::kRefuse);
    EXPECT_EQ(test::LoadBytes(Bytes("RIFF\x24\0\0\0WAVEfmt ", 16) + Bytes(100, '\x10')), nullptr);
    EXPECT_EQ(test::LoadBytes(""), nullptr);
    EXPECT_EQ(test::LoadBytes(Bytes(5000, '\xAB')), nullptr);
    EXPECT_EQ(last->positions, (std::vector<int>{0, 0, 0}));
}

// A stream that cannot say where it is.
class TNoPositionStream : public TStream {
public:
    int Read(void*, int) override { return 0; }
};

TEST_F(PixmapLoaderTest, StreamWithoutPositionGivesNull) {
    auto last = Append(TRecordingLoader::kRefuse);
    EXPECT_EQ(LoadPixmap(Ref<TObject>(New<TNoPositionStream>())), nullptr);
    EXPECT_TRUE(last->positions.empty());
}

TEST(PictureLimits, SidesAndBytes) {
    EXPECT_TRUE(PictureSizeAllowed(16384, 4096, 4));
    EXPECT_FALSE(PictureSizeAllowed(16384, 4097, 4));
    EXPECT_FALSE(PictureSizeAllowed(16385, 1, 1));
    EXPECT_FALSE(PictureSizeAllowed(0, 1, 1));
}

}  // namespace
}  // namespace vellum
