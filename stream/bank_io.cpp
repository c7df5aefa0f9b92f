// Loading a bank from a url and saving it to one.

#include <algorithm>
#include <climits>
#include <cstring>

#include "runtime/exception.h"
#include "stream/bank.h"
#include "stream/open_stream.h"

namespace vellum {

namespace {

// Extra room taken when a stream turns out longer than it said.
constexpr int kPiece = 1 << 20;

}  // namespace

Ref<TBank> TBank::Load(const Ref<TObject>& url) {
    auto stream = OpenReadStream(url);
    if (!stream) return nullptr;
    // Knowing the length up front lets one allocation take the whole stream,
    // read straight into the bank in large pieces.
    int pos = stream->Pos();
    int expected = pos >= 0 ? std::max(stream->Size() - pos, 0) : 0;
    auto bank = Create(expected);
    int done = 0;
    for (;;) {
        if (done < bank->_size) {
            int n = stream->Read(bank->_buf + done, bank->_size - done);
            if (n <= 0) break;
            done += n;
            continue;
        }
        // The bank is full: look for more before growing, so that a stream
        // of the announced length is never copied.
        unsigned char probe[4096];
        int n = stream->Read(probe, sizeof probe);
        if (n <= 0) break;
        if (n > INT_MAX - done) throw TRuntimeException(u"Stream too long for a bank");
        bank->Resize(static_cast<int>(std::min<long long>(static_cast<long long>(done) + n + kPiece, INT_MAX)));
        std::memcpy(bank->_buf + done, probe, static_cast<size_t>(n));
        done += n;
    }
    bank->_size = done;
    stream->Close();
    return bank;
}

Ref<TBank> TBank::Load(const String& url) { return Load(BoxString(url)); }

int TBank::Save(const Ref<TObject>& url) {
    auto stream = OpenWriteStream(url);
    if (!stream) return 0;
    bool written = true;
    try {
        stream->WriteBytes(_buf, _size);
    } catch (const TStreamWriteException&) {
        written = false;  // the disk is full or gone: the close below still releases the file
    }
    return CloseWrittenStream(*stream) && written ? 1 : 0;
}

int TBank::Save(const String& url) { return Save(BoxString(url)); }

}  // namespace vellum
