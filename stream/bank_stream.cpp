#include "stream/bank_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace vellum {

Ref<TBankStream> TBankStream::Create(Ref<TBank> bank) {
    auto stream = New<TBankStream>();
    stream->_bank = bank ? std::move(bank) : TBank::Create(0);
    return stream;
}

int TBankStream::Seek(int pos) {
    _pos = std::clamp(pos, 0, _bank->Size());
    return _pos;
}

int TBankStream::Read(void* buffer, int count) {
    int size = _bank->Size();
    if (count < 1 || _pos >= size) return 0;
    int n = std::min(count, size - _pos);
    std::memmove(buffer, _bank->Buf() + _pos, static_cast<size_t>(n));
    _pos += n;
    return n;
}

int TBankStream::Write(const void* buffer, int count) {
    // The bank may have shrunk under the stream since the last seek.
    if (count < 1 || _pos > _bank->Size()) return 0;
    count = std::min(count, INT_MAX - _pos);  // a bank holds at most INT_MAX bytes
    if (_pos + count > _bank->Size()) _bank->Resize(_pos + count);
    std::memmove(_bank->Buf() + _pos, buffer, static_cast<size_t>(count));
    _pos += count;
    return count;
}

Ref<TBankStream> CreateBankStream(Ref<TBank> bank) { return TBankStream::Create(std::move(bank)); }

}  // namespace vellum
