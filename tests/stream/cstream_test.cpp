// Files through TCStream.

#include <gtest/gtest.h>

#include "runtime/exception.h"
#include "stream/bank.h"
#include "stream/cstream.h"
#include "stream/text_file.h"
#include "stream_test_util.h"

namespace vellum {
namespace {

using FileStreamTest = test::StreamTest;

TEST_F(FileStreamTest, BackslashPathOpensTheSameFile) {
    std::filesystem::create_directory(dir_ / "sub");
    WriteFile("sub/f.bin", "hello");
    String path = Path("sub") + u"\\f.bin";
    auto stream = TCStream::OpenFile(path, 1, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Mode(), TCStream::MODE_READ);
    EXPECT_EQ(stream->ReadString(5), u"hello");
}

TEST_F(FileStreamTest, MissingFilesAndFoldersGiveNull) {
    EXPECT_EQ(TCStream::OpenFile(Path("missing"), 1, 0), nullptr);
    EXPECT_EQ(TCStream::OpenFile(Path("missing"), 1, 1), nullptr);  // update mode does not create
    EXPECT_EQ(TCStream::OpenFile(FromUtf8(dir_.string()), 1, 0), nullptr);  // a folder
}

TEST_F(FileStreamTest, WritingTracksPositionAndSizeAndTruncates) {
    WriteFile("w.bin", "old contents");
    auto stream = TCStream::OpenFile(Path("w.bin"), 0, 1);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Mode(), TCStream::MODE_WRITE);
    EXPECT_EQ(stream->Size(), 0);
    stream->WriteInt(0x64636261);
    EXPECT_EQ(stream->Pos(), 4);
    EXPECT_EQ(stream->Size(), 4);
    EXPECT_EQ(stream->Seek(1), 1);
    stream->WriteByte('X');
    EXPECT_EQ(stream->Size(), 4);
    stream->Close();
    EXPECT_EQ(ReadFile("w.bin"), "aXcd");
}

TEST_F(FileStreamTest, ReadWriteModeSwitchesDirectionSafely) {
    WriteFile("rw.bin", "0123456789");
    auto stream = TCStream::OpenFile(Path("rw.bin"), 1, 1);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->Mode(), 3);
    EXPECT_EQ(stream->Size(), 10);
    EXPECT_EQ(stream->ReadString(2), u"01");
    stream->WriteString(u"ab");
    EXPECT_EQ(stream->ReadString(2), u"45");
    stream->Seek(10);
    stream->WriteString(u"XY");
    EXPECT_EQ(stream->Size(), 12);
    EXPECT_EQ(stream->Eof(), 1);
    stream.reset();  // destroying the stream closes and flushes the file
    EXPECT_EQ(ReadFile("rw.bin"), "01ab456789XY");
}

TEST_F(FileStreamTest, ClosedFileIgnoresEverything) {
    WriteFile("c.bin", "abc");
    auto stream = TCStream::OpenFile(Path("c.bin"), 1, 0);
    stream->Close();
    stream->Close();
    EXPECT_EQ(stream->CStream(), nullptr);
    EXPECT_EQ(stream->Pos(), 0);
    EXPECT_EQ(stream->Size(), 0);
    EXPECT_EQ(stream->Seek(1), -1);
    char byte;
    EXPECT_EQ(stream->Read(&byte, 1), 0);
    EXPECT_THROW(stream->ReadByte(), TStreamReadException);
}

TEST_F(FileStreamTest, CreateWithCStreamStartsAtTheFilePosition) {
    WriteFile("p.bin", "abcdef");
    std::FILE* file = std::fopen((dir_ / "p.bin").c_str(), "rb");
    std::fseek(file, 2, SEEK_SET);
    auto stream = TCStream::CreateWithCStream(file, TCStream::MODE_READ);
    EXPECT_EQ(stream->Pos(), 2);
    EXPECT_EQ(stream->Size(), 6);
    EXPECT_EQ(stream->ReadByte(), 'c');
}

// /dev/full takes every open and refuses every byte, as a full disk does;
// small writes only fail once the buffer is handed over.
TEST_F(FileStreamTest, OutputThatNeverReachesTheDiskIsReported) {
    auto full = TCStream::OpenFile(u"/dev/full", 0, 1);
    ASSERT_NE(full, nullptr);
    full->WriteString(u"abc");
    EXPECT_EQ(full->Flush(), -1);
    EXPECT_EQ(full->Close(), -1);
    EXPECT_EQ(full->Close(), 0);  // already closed

    auto small = TBank::Create(10), large = TBank::Create(1 << 20);
    EXPECT_EQ(small->Save(u"/dev/full"), 0);
    EXPECT_EQ(large->Save(u"/dev/full"), 0);
    EXPECT_EQ(SaveTextFile(u"plain", u"/dev/full"), 0);
    EXPECT_EQ(SaveTextFile(u"wide \u20ac", u"/dev/full"), 0);

    auto good = TCStream::OpenFile(Path("good.bin"), 0, 1);
    good->WriteString(u"abc");
    EXPECT_EQ(good->Flush(), 0);
    EXPECT_EQ(good->Close(), 0);
    EXPECT_EQ(small->Save(Path("bank.bin")), 1);
    EXPECT_EQ(SaveTextFile(u"wide \u20ac", Path("wide.txt")), 1);
    EXPECT_EQ(ReadFile("wide.txt").size(), 2u + 2 * 6);
}

}  // namespace
}  // namespace vellum
