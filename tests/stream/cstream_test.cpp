// Files through TCStream.

#include <gtest/gtest.h>

#include "runtime/exception.h"
#include "stream/cstream.h"
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

}  // namespace
}  // namespace vellum
