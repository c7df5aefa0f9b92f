#include "stream/text_file.h"

#include <cstdio>

#include "runtime/exception.h"
#include "stream/bank.h"
#include "stream/cstream.h"
#include "stream/open_stream.h"
#include "stream/ram_stream.h"
#include "stream/stream_stream.h"
#include "stream/text_stream.h"

namespace vellum {

namespace {

// The encoding a byte-order mark selects, and the mark's length; 0 without one.
int MarkedEncoding(const unsigned char* bytes, int size, int& markLength) {
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return markLength = 2, TTextStream::UTF16BE;
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return markLength = 2, TTextStream::UTF16LE;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return markLength = 3, TTextStream::UTF8;
    return markLength = 0, 0;
}

// Standard output as a stream. It is never destroyed, so closing or
// dropping a wrapper never closes stdout.
const Ref<TCStream>& StandardOutput() {
    static auto* out = new Ref<TCStream>(TCStream::CreateWithCStream(stdout, TCStream::MODE_WRITE));
    return *out;
}

}  // namespace

String LoadTextFile(const Ref<TObject>& url) {
    // The whole stream first: the mark decides how to read what follows it,
    // and nothing needs to seek back.
    auto bank = TBank::Load(url);
    if (!bank) throw TStreamReadException();
    int markLength;
    int encoding = MarkedEncoding(bank->Buf(), bank->Size(), markLength);
    if (encoding == 0)
        return FromLatin1(std::string_view(reinterpret_cast<const char*>(bank->Buf()), bank->Size()));
    auto body = TRamStream::Create(bank->Buf() + markLength, bank->Size() - markLength, 1, 0);
    return TTextStream::Create(body, encoding)->ReadFile();
}

String LoadTextFile(const String& url) { return LoadTextFile(BoxString(url)); }

int SaveTextFile(const String& text, const Ref<TObject>& url) {
    auto stream = OpenWriteStream(url);
    if (!stream) throw TStreamWriteException();
    bool narrow = true;
    for (char16_t c : text) narrow = narrow && c < 256;
    // The text stream, once there is one, closes the file: its result is the file's.
    Ref<TStream> out = stream;
    bool written = true;
    try {
        if (narrow) {
            stream->WriteString(text);
        } else {
            static const unsigned char mark[] = {0xFF, 0xFE};
            stream->WriteBytes(mark, 2);
            out = TTextStream::Create(stream, TTextStream::UTF16LE);
            out->WriteString(text);
        }
    } catch (const TStreamWriteException&) {
        written = false;
    }
    return CloseWrittenStream(*out) && written ? 1 : 0;
}

int SaveTextFile(const String& text, const String& url) { return SaveTextFile(text, BoxString(url)); }

void PrintLine(const String& text) {
    auto out = TTextStream::Create(TStreamStream::Create(StandardOutput()), TTextStream::UTF8);
    out->WriteLine(text);
    out->Flush();
}

}  // namespace vellum
