// Fuzzes text decoding: LoadTextFile over arbitrary bytes, every text
// encoding driven by a small script of reads, and write/read round trips.
// Stream and runtime errors are expected; crashes, undefined behaviour,
// leaks and broken round trips are findings.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/exception.h"
#include "stream/stream_all.h"

using namespace vellum;

namespace {

constexpr int kScriptLength = 8;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// One read operation chosen by op.
void RunOp(TTextStream& text, unsigned op) {
    unsigned char bytes[40];
    switch (op % 11) {
    case 0: text.ReadLine(); break;
    case 1: text.ReadChar(); break;
    case 2: text.ReadInt(); break;
    case 3: text.ReadFloat(); break;
    case 4: text.ReadDouble(); break;
    case 5: text.ReadLong(); break;
    case 6: text.ReadShort(); break;
    case 7: text.Read(bytes, static_cast<int>(op / 11 % 40)); break;
    case 8: text.ReadString(static_cast<int>(op / 11 % 5)); break;
    case 9: text.ReadBytes(bytes, static_cast<int>(op / 11 % 40)); break;
    default: text.ReadFile(); break;
    }
}

void RunScript(const uint8_t* script, int scriptLength, uint8_t* body, int size, int encoding) {
    auto text = TTextStream::Create(CreateRamStream(body, size, 1, 0), encoding);
    for (int i = 0; i < 4 * kScriptLength && scriptLength > 0; ++i) {
        try {
            RunOp(*text, script[i % scriptLength] + 256u * static_cast<unsigned>(i));
        } catch (const TStreamException&) {
        } catch (const TRuntimeException&) {
        }
        if (text->Eof()) break;
    }
}

// Decoded text written back in the same encoding reads back unchanged.
void RoundTrip(uint8_t* body, int size, int encoding) {
    String decoded = TTextStream::Create(CreateRamStream(body, size, 1, 0), encoding)->ReadFile();
    if (encoding == TTextStream::LATIN1) Check(decoded.size() == static_cast<size_t>(size));
    auto copy = CreateBankStream(nullptr);
    auto out = TTextStream::Create(copy, encoding);
    out->WriteString(decoded);
    copy->Seek(0);
    Check(out->ReadFile() == decoded);
}

// Bytes written as hex lines read back unchanged.
void HexRoundTrip(const uint8_t* body, int size, int encoding) {
    auto copy = CreateBankStream(nullptr);
    auto text = TTextStream::Create(copy, encoding);
    text->WriteBytes(body, size);
    text->WriteLine(u"tail");
    copy->Seek(0);
    auto reader = TTextStream::Create(copy, encoding);
    std::vector<uint8_t> back(static_cast<size_t>(size) + 1);
    reader->ReadBytes(back.data(), size);
    Check(std::memcmp(back.data(), body, static_cast<size_t>(size)) == 0);
    Check(reader->ReadLine() == u"tail");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = (InitStreamModule(), true);
    (void)started;
    if (size > 1 << 20) return 0;
    int total = static_cast<int>(size);
    auto* bytes = const_cast<uint8_t*>(data);  // every stream below is read-only

    try {
        auto bank = CreateStaticBank(bytes, total);
        String viaBank = LoadTextFile(Ref<TObject>(bank));
        String viaStream = LoadTextFile(Ref<TObject>(CreateRamStream(bytes, total, 1, 0)));
        Check(viaBank == viaStream);
    } catch (const TStreamException&) {
    } catch (const TRuntimeException&) {
    }

    int scriptLength = total < kScriptLength ? total : kScriptLength;
    uint8_t* body = bytes + scriptLength;
    int bodySize = total - scriptLength;
    for (int encoding = TTextStream::LATIN1; encoding <= TTextStream::UTF16LE; ++encoding) {
        RunScript(data, scriptLength, body, bodySize, encoding);
        RoundTrip(body, bodySize, encoding);
        if (bodySize <= 4096) HexRoundTrip(body, bodySize, encoding);
    }
    return 0;
}
