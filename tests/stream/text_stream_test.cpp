// Text streams: the four encodings, lines, numbers and hex-coded bytes.

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/exception.h"
#include "stream/bank_stream.h"
#include "stream/text_stream.h"

namespace vellum {
namespace {

// A text stream over a bank stream holding bytes; inner gives the raw side.
struct TextOver {
    explicit TextOver(int encoding, const std::string& bytes = "") {
        inner = CreateBankStream(nullptr);
        inner->WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
        inner->Seek(0);
        text = TTextStream::Create(inner, encoding);
    }
    std::string Bytes() const {
        return std::string(reinterpret_cast<const char*>(inner->Bank()->Buf()), inner->Size());
    }
    Ref<TBankStream> inner;
    Ref<TTextStream> text;
};

const String kSample = u"A\u00e9\u20ac\U0001F600z";  // 1-, 2-, 3- and 4-byte UTF-8 characters

TEST(TextStreamTest, EachEncodingWritesItsBytesAndReadsThemBack) {
    const std::pair<int, std::string> cases[] = {
        {TTextStream::UTF8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"},
        {TTextStream::UTF16BE, std::string("\0A\0\xE9\x20\xAC\xD8\x3D\xDE\x00\0z", 12)},
        {TTextStream::UTF16LE, std::string("A\0\xE9\0\xAC\x20\x3D\xD8\x00\xDEz\0", 12)},
    };
    for (const auto& [encoding, bytes] : cases) {
        TextOver out(encoding);
        out.text->WriteString(kSample);
        EXPECT_EQ(out.Bytes(), bytes) << "encoding " << encoding;
        TextOver in(encoding, bytes);
        EXPECT_EQ(in.text->ReadFile(), kSample) << "encoding " << encoding;
    }
    TextOver latin(TTextStream::LATIN1);
    latin.text->WriteString(u"A\u00e9\u20ac");
    EXPECT_EQ(latin.Bytes(), "A\xE9\xAC");
}

TEST(TextStreamTest, FourByteUtf8ArrivesAsOneSurrogatePair) {
    TextOver in(TTextStream::UTF8, "\xF0\x9F\x98\x80!");
    EXPECT_EQ(in.text->ReadChar(), 0xD83D);
    EXPECT_EQ(in.text->Eof(), 0);
    EXPECT_EQ(in.text->ReadChar(), 0xDE00);
    EXPECT_EQ(in.text->ReadChar(), '!');
    EXPECT_THROW(in.text->ReadChar(), TStreamReadException);
}

TEST(TextStreamTest, LoneSurrogatesAreWrittenAsThreeBytes) {
    TextOver out(TTextStream::UTF8);
    const String lone = String(1, char16_t(0xDC00)) + u"x" + String(1, char16_t(0xD800));
    out.text->WriteString(lone);
    out.text->WriteChar(0xD83D);
    EXPECT_EQ(out.Bytes(), "\xED\xB0\x80x\xED\xA0\x80\xED\xA0\xBD");
    EXPECT_EQ(out.Bytes(), ToUtf8(lone + String(1, char16_t(0xD83D))));  // strings write the same bytes
}

TEST(TextStreamTest, MalformedUtf8GivesSixteenBitCharacters) {
    // Stray continuation byte, bad continuation, out-of-range four-byte form.
    TextOver in(TTextStream::UTF8, "\x80\x80\xC3\x41\xF7\xBF\xBF\xBF");
    EXPECT_EQ(in.text->ReadChar(), 0xF000);  // (0x80 - 0xC0) * 64 + 0, low 16 bits
    EXPECT_EQ(in.text->ReadChar(), 0x81);    // 3 * 64 + (0x41 - 0x80)
    EXPECT_EQ(in.text->ReadChar(), 0xFFFF);
}

TEST(TextStreamTest, CharacterCutOffByTheEndEndsReadingQuietly) {
    TextOver utf8(TTextStream::UTF8, "ab\xE2\x82");
    EXPECT_EQ(utf8.text->ReadLine(), u"ab");
    TextOver utf16(TTextStream::UTF16LE, std::string("a\0b", 3));
    EXPECT_EQ(utf16.text->ReadFile(), u"a");
    TextOver cut(TTextStream::UTF8, "\xF0\x9F\x98");
    EXPECT_THROW(cut.text->ReadChar(), TStreamReadException);
    TextOver shortString(TTextStream::UTF16BE, std::string("\0a", 2));
    EXPECT_THROW(shortString.text->ReadString(2), TStreamReadException);
}

TEST(TextStreamTest, LinesEndAtLfOrZeroAndSkipCr) {
    TextOver in(TTextStream::UTF16LE, std::string("a\0\r\0\n\0b\0\0\0c\0", 12));
    EXPECT_EQ(in.text->ReadLine(), u"a");
    EXPECT_EQ(in.text->ReadLine(), u"b");
    EXPECT_EQ(in.text->ReadLine(), u"c");
    EXPECT_EQ(in.text->ReadLine(), u"");
    TextOver out(TTextStream::UTF16BE);
    EXPECT_EQ(out.text->WriteLine(u"h"), 1);
    EXPECT_EQ(out.Bytes(), std::string("\0h\0\r\0\n", 6));
}

TEST(TextStreamTest, NumbersAreDecimalLines) {
    TextOver out(TTextStream::UTF8);
    out.text->WriteByte(300);
    out.text->WriteShort(-1);
    out.text->WriteInt(-42);
    out.text->WriteLong(-9000000000LL);
    out.text->WriteFloat(0.1f);
    out.text->WriteDouble(2.5);
    EXPECT_EQ(out.Bytes(), "44\r\n65535\r\n-42\r\n-9000000000\r\n0.1\r\n2.5\r\n");
    out.inner->Seek(0);
    EXPECT_EQ(out.text->ReadByte(), 44);
    EXPECT_EQ(out.text->ReadShort(), 65535);
    EXPECT_EQ(out.text->ReadInt(), -42);
    EXPECT_EQ(out.text->ReadLong(), -9000000000LL);
    EXPECT_EQ(out.text->ReadFloat(), 0.1f);
    EXPECT_EQ(out.text->ReadDouble(), 2.5);
}

TEST(TextStreamTest, RawBytesAreHexLinesOf32) {
    TextOver out(TTextStream::UTF16LE);
    const unsigned char two[] = {0x0A, 0xFF};
    out.text->Write(two, 2);
    EXPECT_EQ(out.Bytes(), std::string("0\0A\0F\0F\0", 8));

    TextOver lines(TTextStream::LATIN1);
    unsigned char bytes[40];
    for (int i = 0; i < 40; ++i) bytes[i] = static_cast<unsigned char>(i);
    lines.text->WriteBytes(bytes, 40);
    lines.text->WriteLine(u"end");  // ends the unfinished hex line first
    std::string expected;
    for (int i = 0; i < 40; ++i) expected += "0123456789ABCDEF"[i >> 4], expected += "0123456789ABCDEF"[i & 15];
    expected.insert(64, "\r\n");
    expected += "\r\nend\r\n";
    EXPECT_EQ(lines.Bytes(), expected);

    lines.inner->Seek(0);
    unsigned char back[40];
    lines.text->ReadBytes(back, 40);
    EXPECT_EQ(std::memcmp(back, bytes, 40), 0);
    EXPECT_EQ(lines.text->ReadLine(), u"end");  // the hex line's terminator was consumed
}

TEST(TextStreamTest, HexReadingRejectsBadInput) {
    TextOver lower(TTextStream::LATIN1, "0a");
    unsigned char byte;
    EXPECT_THROW(lower.text->Read(&byte, 1), TStreamReadException);
    TextOver odd(TTextStream::LATIN1, "41424");
    unsigned char buffer[3];
    EXPECT_EQ(odd.text->Read(buffer, 3), 2);
    EXPECT_EQ(odd.text->Read(buffer, 3), 0);

    std::string line(64, '0');
    TextOver noTerminator(TTextStream::LATIN1, line + "00");
    unsigned char many[33];
    EXPECT_THROW(noTerminator.text->Read(many, 33), TRuntimeException);
    TextOver badText(TTextStream::LATIN1, "00x");
    badText.text->Read(&byte, 1);
    try {
        badText.text->ReadLine();
        FAIL();
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Malformed line terminator");
    }
    TextOver crlf(TTextStream::LATIN1, line + "\r\n01");
    EXPECT_EQ(crlf.text->Read(many, 33), 33);
    EXPECT_EQ(many[32], 1);
}

TEST(TextStreamTest, CreateChecksItsArguments) {
    EXPECT_EQ(TTextStream::Create(nullptr, TTextStream::UTF8), nullptr);
    EXPECT_THROW(TTextStream::Create(CreateBankStream(nullptr), 5), TRuntimeException);
}

}  // namespace
}  // namespace vellum
