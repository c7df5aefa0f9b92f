// Banks: growth, foreign memory, checked access, loading and saving.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "runtime/exception.h"
#include "stream/bank_functions.h"
#include "stream/bank_stream.h"
#include "stream/peek_poke.h"
#include "stream_test_util.h"

namespace vellum {
namespace {

using BankFileTest = test::StreamTest;

void ExpectOutOfRange(const std::function<void()>& access) {
    try {
        access();
        ADD_FAILURE() << "no error raised";
    } catch (const TRuntimeException& e) {
        EXPECT_NE(e.ToString().find(u"Bank"), String::npos);
    }
}

TEST(BankTest, ResizeGrowsCapacityByHalfOrToTheNewSize) {
    auto bank = CreateBank(100);
    PokeInt(bank, 96, 1234);
    ResizeBank(bank, 101);
    EXPECT_EQ(BankSize(bank), 101);
    EXPECT_EQ(BankCapacity(bank), 150);
    EXPECT_EQ(PeekInt(bank, 96), 1234);
    auto other = CreateBank(100);
    ResizeBank(other, 200);
    EXPECT_EQ(BankCapacity(other), 200);
    ResizeBank(other, 10);  // shrinking keeps the memory
    EXPECT_EQ(BankSize(other), 10);
    EXPECT_EQ(BankCapacity(other), 200);
    EXPECT_THROW(ResizeBank(other, -1), TRuntimeException);
}

TEST(BankTest, ResizingForeignMemoryMovesItAndLeavesTheBlock) {
    unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    auto bank = CreateStaticBank(block, 8);
    EXPECT_EQ(BankCapacity(bank), -1);
    ResizeBank(bank, 12);
    EXPECT_NE(BankBuf(bank), block);
    EXPECT_EQ(BankCapacity(bank), 12);
    EXPECT_EQ(std::memcmp(BankBuf(bank), block, 8), 0);
    PokeByte(bank, 0, 99);
    EXPECT_EQ(block[0], 1);

    auto shrunk = CreateStaticBank(block, 8);
    ResizeBank(shrunk, 4);  // moves only the bytes that remain
    EXPECT_NE(BankBuf(shrunk), block);
    EXPECT_EQ(PeekByte(shrunk, 3), 4);
    bank.reset();
    shrunk.reset();
    EXPECT_EQ(block[7], 8);  // never freed: ASan would report it
}

TEST(BankTest, PeekAndPokeEveryWidth) {
    auto bank = CreateBank(32);
    PokeByte(bank, 0, 0x1F0);
    PokeShort(bank, 1, -1);
    PokeInt(bank, 3, -7);
    PokeLong(bank, 7, 1LL << 40);
    PokeFloat(bank, 15, -2.5f);
    PokeDouble(bank, 19, 1e300);
    EXPECT_EQ(PeekByte(bank, 0), 0xF0);
    EXPECT_EQ(PeekShort(bank, 1), 0xFFFF);
    EXPECT_EQ(PeekInt(bank, 3), -7);
    EXPECT_EQ(PeekByte(bank, 3), 0xF9);  // machine byte order: low byte first
    EXPECT_EQ(PeekLong(bank, 7), 1LL << 40);
    EXPECT_EQ(PeekFloat(bank, 15), -2.5f);
    EXPECT_EQ(PeekDouble(bank, 19), 1e300);
    PokeDouble(bank, 24, 0.5);  // the last 8 bytes
}

TEST(BankTest, AccessOutsideTheBankRaises) {
    auto bank = CreateBank(8);
    ExpectOutOfRange([&] { PeekByte(bank, 8); });
    ExpectOutOfRange([&] { PeekByte(bank, -1); });
    ExpectOutOfRange([&] { PeekInt(bank, 5); });
    ExpectOutOfRange([&] { PokeLong(bank, 1, 0); });
    ExpectOutOfRange([&] { PokeShort(bank, 0x7fffffff, 0); });
    ResizeBank(bank, 2);  // the capacity is still 8, but only 2 bytes are in use
    ExpectOutOfRange([&] { PeekInt(bank, 0); });
    ExpectOutOfRange([&] { PeekByte(nullptr, 0); });
}

TEST(BankTest, CopyBankBytesChecksBothRangesAndHandlesOverlap) {
    auto a = CreateBank(8);
    for (int i = 0; i < 8; ++i) PokeByte(a, i, i);
    auto b = CreateBank(4);
    CopyBankBytes(a, 4, b, 0, 4);
    EXPECT_EQ(PeekByte(b, 3), 7);
    CopyBankBytes(a, 0, a, 2, 6);
    EXPECT_EQ(PeekByte(a, 7), 5);
    EXPECT_EQ(PeekByte(a, 2), 0);
    ExpectOutOfRange([&] { CopyBankBytes(a, 0, b, 1, 4); });
    ExpectOutOfRange([&] { CopyBankBytes(a, 6, b, 0, 3); });
    ExpectOutOfRange([&] { CopyBankBytes(a, 0, b, 0, -1); });
    CopyBankBytes(a, 8, b, 4, 0);  // empty ranges at the end are fine
}

TEST(BankTest, StreamTransfersAreChecked) {
    auto bank = CreateBank(4);
    auto stream = CreateBankStream(nullptr);
    stream->WriteInt(77);
    stream->Seek(0);
    EXPECT_EQ(bank->Read(*stream, 0, 4), 4);
    EXPECT_EQ(PeekInt(bank, 0), 77);
    EXPECT_THROW(bank->Read(*stream, 2, 4), TRuntimeException);
    EXPECT_THROW(bank->Write(*stream, -1, 1), TRuntimeException);
    EXPECT_EQ(bank->Write(*stream, 0, 4), 4);
    EXPECT_EQ(stream->Size(), 8);
}

TEST(BankTest, LocksCount) {
    auto bank = CreateBank(1);
    EXPECT_EQ(LockBank(bank), BankBuf(bank));
    LockBank(bank);
    UnlockBank(bank);
    EXPECT_EQ(bank->LockCount(), 1);
}

TEST_F(BankFileTest, SaveAndLoadRoundTrip) {
    auto bank = CreateBank(3000);
    for (int i = 0; i < 3000; ++i) PokeByte(bank, i, i * 7);
    EXPECT_EQ(SaveBank(bank, Path("b.bin")), 1);
    auto loaded = LoadBank(Path("b.bin"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(BankSize(loaded), 3000);
    EXPECT_EQ(BankCapacity(loaded), 3000);
    EXPECT_EQ(std::memcmp(BankBuf(loaded), BankBuf(bank), 3000), 0);
    EXPECT_EQ(LoadBank(Path("missing")), nullptr);
    EXPECT_EQ(SaveBank(bank, Path("no/such/folder")), 0);
}

TEST_F(BankFileTest, LoadReadsFromTheCurrentPositionOfStreamsOfAnyLength) {
    WriteFile("e.bin", "");
    EXPECT_EQ(BankSize(LoadBank(Path("e.bin"))), 0);

    auto source = CreateBankStream(nullptr);
    source->WriteString(String(5000, u'z'));
    source->Seek(1000);
    auto rest = LoadBank(source);
    EXPECT_EQ(BankSize(rest), 4000);

    // A stream that knows no length is read in pieces.
    struct Unsized : TStream {
        int Read(void* buffer, int count) override {
            int n = std::min(count, left);
            std::memset(buffer, 'u', static_cast<size_t>(n));
            left -= n;
            return n;
        }
        int left = 3 << 20;
    };
    auto unsized = LoadBank(Ref<TObject>(New<Unsized>()));
    EXPECT_EQ(BankSize(unsized), 3 << 20);
    EXPECT_EQ(PeekByte(unsized, (3 << 20) - 1), 'u');
}

}  // namespace
}  // namespace vellum
