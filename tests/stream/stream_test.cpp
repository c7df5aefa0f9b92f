// TIO defaults, typed reads and writes, wrappers and byte order.

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/exception.h"
#include "stream/bank_stream.h"
#include "stream/peek_poke.h"
#include "stream/ram_stream.h"
#include "stream/stream_stream.h"
#include "stream/xendian_stream.h"

namespace vellum {
namespace {

Ref<TBankStream> StreamOver(const std::string& bytes) {
    auto stream = CreateBankStream(nullptr);
    stream->WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
    stream->Seek(0);
    return stream;
}

TEST(IOTest, BaseCannotReadOrWriteOrSeek) {
    auto io = New<TStream>();
    char byte = 0;
    EXPECT_EQ(io->Pos(), -1);
    EXPECT_EQ(io->Seek(3), -1);
    EXPECT_EQ(io->Eof(), 0);  // position -1 never equals size 0
    try {
        io->Read(&byte, 1);
        FAIL();
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Stream is not readable");
    }
    try {
        io->Write(&byte, 1);
        FAIL();
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"Stream is not writeable");
    }
    EXPECT_THROW(io->ReadObject(), TRuntimeException);
    EXPECT_THROW(io->WriteObject(nullptr), TRuntimeException);
}

TEST(TypedStreamTest, ValuesRoundTripInMachineOrder) {
    auto stream = CreateBankStream(nullptr);
    stream->WriteByte(0x1FF);
    stream->WriteShort(-2);
    stream->WriteInt(-123456789);
    stream->WriteLong(-1234567890123LL);
    stream->WriteFloat(1.5f);
    stream->WriteDouble(-0.1);
    stream->WriteString(u"h\u00e9");
    EXPECT_EQ(stream->Size(), 1 + 2 + 4 + 8 + 4 + 8 + 2);
    EXPECT_EQ(PeekInt(stream->Bank(), 3), -123456789);
    stream->Seek(0);
    EXPECT_EQ(stream->ReadByte(), 0xFF);
    EXPECT_EQ(stream->ReadShort(), 0xFFFE);  // unsigned
    EXPECT_EQ(stream->ReadInt(), -123456789);
    EXPECT_EQ(stream->ReadLong(), -1234567890123LL);
    EXPECT_EQ(stream->ReadFloat(), 1.5f);
    EXPECT_EQ(stream->ReadDouble(), -0.1);
    EXPECT_EQ(stream->ReadString(2), u"h\u00e9");
    EXPECT_EQ(stream->Eof(), 1);
}

TEST(TypedStreamTest, ShortReadsRaise) {
    auto stream = StreamOver("abc");
    EXPECT_THROW(stream->ReadInt(), TStreamReadException);
    stream->Seek(0);
    EXPECT_THROW(stream->SkipBytes(4), TStreamReadException);
    stream->Seek(1);
    EXPECT_THROW(stream->ReadString(3), TStreamReadException);
    EXPECT_EQ(stream->ReadString(-1), u"");
}

TEST(TypedStreamTest, ShortWritesRaise) {
    char memory[3];
    auto stream = CreateRamStream(memory, 3, 0, 1);
    EXPECT_THROW(stream->WriteInt(1), TStreamWriteException);
    auto readOnly = CreateRamStream(memory, 3, 1, 0);
    EXPECT_THROW(readOnly->WriteByte(1), TStreamWriteException);
}

TEST(TypedStreamTest, SkipBytesCrossesPieces) {
    std::string bytes(3000, 'x');
    bytes += "END";
    auto stream = StreamOver(bytes);
    EXPECT_EQ(stream->SkipBytes(3000), 3000);
    EXPECT_EQ(stream->ReadString(3), u"END");
}

TEST(TypedStreamTest, ReadLineSplitsOnLfAndZeroAndDropsCr) {
    auto stream = StreamOver(std::string("ab\r\ncd\nx\0y", 10));
    EXPECT_EQ(stream->ReadLine(), u"ab");
    EXPECT_EQ(stream->ReadLine(), u"cd");
    EXPECT_EQ(stream->ReadLine(), u"x");
    EXPECT_EQ(stream->ReadLine(), u"y");
    EXPECT_EQ(stream->ReadLine(), u"");
}

TEST(TypedStreamTest, WriteLineReportsIncompleteWrites) {
    char memory[6];
    auto stream = CreateRamStream(memory, 6, 1, 1);
    EXPECT_EQ(stream->WriteLine(u"abcd"), 1);
    EXPECT_EQ(std::string(memory, 6), "abcd\r\n");
    stream->Seek(3);
    EXPECT_EQ(stream->WriteLine(u"xy"), 0);  // the CR LF no longer fits
}

TEST(StreamWrapperTest, ForwardsToInnerStream) {
    auto inner = StreamOver("line\n");
    auto wrapper = TStreamStream::Create(inner);
    EXPECT_EQ(wrapper->Size(), 5);
    EXPECT_EQ(wrapper->ReadLine(), u"line");
    EXPECT_EQ(inner->Pos(), 5);
    EXPECT_EQ(wrapper->Eof(), 1);
    wrapper->WriteInt(7);
    EXPECT_EQ(inner->Size(), 9);
}

TEST(StreamWrapperTest, ClosedStreamStreamLeavesInnerAndReadsNothing) {
    auto inner = StreamOver("data");
    auto wrapper = TStreamStream::Create(inner);
    wrapper->Close();
    EXPECT_EQ(wrapper->Stream(), nullptr);
    EXPECT_EQ(inner->ReadString(4), u"data");
    EXPECT_EQ(wrapper->Pos(), -1);
    EXPECT_THROW(wrapper->ReadInt(), TStreamReadException);
    EXPECT_THROW(wrapper->ReadBytes(nullptr, 1), TStreamReadException);
    EXPECT_THROW(wrapper->WriteInt(1), TStreamWriteException);
}

TEST(StreamWrapperTest, DestroyingAWrapperClosesTheInnerStreamUnlessItIsAStreamStream) {
    struct CloseCounter : TStream {
        int Close() override {
            ++closes;
            return 0;
        }
        int closes = 0;
    };
    auto inner = New<CloseCounter>();
    TXEndianStream::Create(inner).reset();
    EXPECT_EQ(inner->closes, 1);
    TStreamStream::Create(inner).reset();
    EXPECT_EQ(inner->closes, 1);
}

TEST(XEndianStreamTest, BigEndianReversesEveryMultiByteValue) {
    auto inner = CreateBankStream(nullptr);
    auto big = BigEndianStream(inner);
    ASSERT_NE(big, inner);
    big->WriteShort(0x0102);
    big->WriteInt(0x03040506);
    big->WriteLong(0x0708090A0B0C0D0ELL);
    big->WriteFloat(1.0f);
    big->WriteDouble(2.0);
    big->WriteByte(0x7F);
    auto& bank = inner->Bank();
    EXPECT_EQ(PeekShort(bank, 0), 0x0201);
    EXPECT_EQ(PeekByte(bank, 2), 0x03);
    EXPECT_EQ(PeekByte(bank, 6), 0x07);
    EXPECT_EQ(PeekByte(bank, 14), 0x3F);  // 1.0f is 3F 80 00 00
    EXPECT_EQ(PeekByte(bank, 18), 0x40);  // 2.0 starts 40 00
    EXPECT_EQ(PeekByte(bank, 26), 0x7F);
    big->Seek(0);
    EXPECT_EQ(big->ReadShort(), 0x0102);
    EXPECT_EQ(big->ReadInt(), 0x03040506);
    EXPECT_EQ(big->ReadLong(), 0x0708090A0B0C0D0ELL);
    EXPECT_EQ(big->ReadFloat(), 1.0f);
    EXPECT_EQ(big->ReadDouble(), 2.0);
    EXPECT_EQ(big->ReadByte(), 0x7F);
}

TEST(XEndianStreamTest, LittleEndianIsTheStreamItselfAndNullStaysNull) {
    auto inner = CreateBankStream(nullptr);
    EXPECT_EQ(LittleEndianStream(inner), inner);
    EXPECT_EQ(BigEndianStream(nullptr), nullptr);
    EXPECT_EQ(LittleEndianStream(nullptr), nullptr);
    unsigned char bytes[4] = {1, 2, 3, 4};
    TXEndianStream::Swap4(bytes);
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[3], 1);
}

}  // namespace
}  // namespace vellum
