// Whole text files and PrintLine.

#include <gtest/gtest.h>

#include "runtime/exception.h"
#include "stream/bank_stream.h"
#include "stream/text_file.h"
#include "stream_test_util.h"

namespace vellum {
namespace {

using TextFileTest = test::StreamTest;

TEST_F(TextFileTest, ByteOrderMarkSelectsTheEncoding) {
    WriteFile("le.txt", std::string("\xFF\xFE" "A\0", 4));
    EXPECT_EQ(LoadTextFile(Path("le.txt")), u"A");
    WriteFile("be.txt", std::string("\xFE\xFF\0A\0\xE9", 6));
    EXPECT_EQ(LoadTextFile(Path("be.txt")), u"A\u00e9");
    WriteFile("u8.txt", "\xEF\xBB\xBF\xE2\x82\xAC\r\n");
    EXPECT_EQ(LoadTextFile(Path("u8.txt")), u"\u20ac\r\n");
}

TEST_F(TextFileTest, WithoutMarkEveryByteIsLatin1) {
    WriteFile("l.txt", "\xFF\xE9x");
    EXPECT_EQ(LoadTextFile(Path("l.txt")), u"\u00ff\u00e9x");
    WriteFile("one.txt", "\xFF");
    EXPECT_EQ(LoadTextFile(Path("one.txt")), u"\u00ff");
    WriteFile("empty.txt", "");
    EXPECT_EQ(LoadTextFile(Path("empty.txt")), u"");
    EXPECT_THROW(LoadTextFile(Path("missing.txt")), TStreamReadException);
}

TEST_F(TextFileTest, LoadReadsStreamUrlsWithoutClosingThem) {
    auto stream = CreateBankStream(nullptr);
    stream->WriteString(u"\xEF\xBB\xBFok");
    stream->Seek(0);
    EXPECT_EQ(LoadTextFile(Ref<TObject>(stream)), u"ok");
    EXPECT_EQ(stream->Pos(), 5);
}

TEST_F(TextFileTest, SaveWritesBytesOrUtf16WithMark) {
    EXPECT_EQ(SaveTextFile(u"caf\u00e9", Path("narrow.txt")), 1);
    EXPECT_EQ(ReadFile("narrow.txt"), "caf\xE9");
    EXPECT_EQ(SaveTextFile(u"\u20acA", Path("wide.txt")), 1);
    EXPECT_EQ(ReadFile("wide.txt"), std::string("\xFF\xFE\xAC\x20" "A\0", 6));
    EXPECT_EQ(LoadTextFile(Path("wide.txt")), u"\u20acA");
    EXPECT_THROW(SaveTextFile(u"x", Path("no/such/dir.txt")), TStreamWriteException);
}

TEST(PrintLineTest, WritesUtf8AndCrLfToStandardOutput) {
    testing::internal::CaptureStdout();
    PrintLine(u"\u00c4");
    PrintLine(u"\U0001F600");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\xC3\x84\r\n\xF0\x9F\x98\x80\r\n");
}

}  // namespace
}  // namespace vellum
