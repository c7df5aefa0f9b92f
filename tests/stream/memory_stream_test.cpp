// Bank streams and RAM streams.

#include <gtest/gtest.h>

#include "runtime/exception.h"
#include "stream/bank_functions.h"
#include "stream/bank_stream.h"
#include "stream/peek_poke.h"
#include "stream/ram_stream.h"

namespace vellum {
namespace {

TEST(MemoryStreamTest, BankStreamGrowsWhereRamStreamStops) {
    const char ten[] = "0123456789";
    auto bank = CreateBank(8);
    auto bankStream = CreateBankStream(bank);
    bankStream->Seek(5);
    EXPECT_EQ(bankStream->Write(ten, 10), 10);
    EXPECT_EQ(BankSize(bank), 15);
    EXPECT_EQ(PeekByte(bank, 14), '9');

    char memory[8] = {};
    auto ram = CreateRamStream(memory, 8, 1, 1);
    ram->Seek(5);
    EXPECT_EQ(ram->Write(ten, 10), 3);
    EXPECT_EQ(memory[7], '2');
    EXPECT_EQ(ram->Write(ten, 1), 0);
}

TEST(MemoryStreamTest, SeekClampsAndReadsStopAtTheEnd) {
    auto bankStream = CreateBankStream(CreateBank(4));
    char memory[4] = {'a', 'b', 'c', 'd'};
    auto ram = CreateRamStream(memory, 4, 1, 0);
    for (TStream* stream : {static_cast<TStream*>(bankStream.get()), static_cast<TStream*>(ram.get())}) {
        EXPECT_EQ(stream->Seek(-3), 0);
        EXPECT_EQ(stream->Seek(99), 4);
        EXPECT_EQ(stream->Eof(), 1);
        stream->Seek(2);
        char out[4];
        EXPECT_EQ(stream->Read(out, 4), 2);
        EXPECT_EQ(stream->Read(out, 4), 0);
        EXPECT_EQ(stream->Read(out, -1), 0);
        EXPECT_EQ(stream->Write(out, 0), 0);
    }
}

TEST(MemoryStreamTest, BankStreamOverNullStartsEmptyAndSurvivesShrinking) {
    auto stream = CreateBankStream(nullptr);
    ASSERT_NE(stream->Bank(), nullptr);
    EXPECT_EQ(stream->Size(), 0);
    stream->WriteInt(1);
    stream->WriteInt(2);
    ResizeBank(stream->Bank(), 2);
    char byte;
    EXPECT_EQ(stream->Read(&byte, 1), 0);
    EXPECT_EQ(stream->Write(&byte, 1), 0);  // position 8 is past the bank
    stream->Seek(2);
    stream->WriteShort(0x4142);
    EXPECT_EQ(PeekShort(stream->Bank(), 2), 0x4142);
}

TEST(MemoryStreamTest, RamStreamHonoursItsFlags) {
    char memory[4] = {'w', 'x', 'y', 'z'};
    char out[4];
    auto writeOnly = CreateRamStream(memory, 4, 0, 1);
    EXPECT_EQ(writeOnly->Read(out, 4), 0);
    EXPECT_EQ(writeOnly->Write("AB", 2), 2);
    EXPECT_EQ(memory[1], 'B');
    auto readOnly = CreateRamStream(memory, 4, 1, 0);
    EXPECT_EQ(readOnly->Write("CD", 2), 0);
    EXPECT_EQ(memory[0], 'A');
    EXPECT_THROW(CreateRamStream(memory, -1, 1, 1), TRuntimeException);
}

}  // namespace
}  // namespace vellum
