#include "stream/bank.h"

#include <algorithm>
#include <cstring>

#include "runtime/exception.h"
#include "stream/stream.h"

namespace vellum {

namespace {

void CheckSize(int size) {
    if (size < 0) throw TRuntimeException(u"Bank size must not be negative");
}

}  // namespace

Ref<TBank> TBank::Create(int size) {
    CheckSize(size);
    auto bank = New<TBank>();
    bank->_owned = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(size));
    bank->_buf = bank->_owned.get();
    bank->_size = size;
    bank->_capacity = size;
    return bank;
}

Ref<TBank> TBank::CreateStatic(void* memory, int size) {
    CheckSize(size);
    if (!memory && size > 0) throw TRuntimeException(u"Bank memory is Null");
    auto bank = New<TBank>();
    bank->_buf = static_cast<unsigned char*>(memory);
    bank->_size = size;
    bank->_capacity = -1;
    return bank;
}

void TBank::Resize(int size) {
    CheckSize(size);
    if (size > _capacity) {
        long long grown = std::min(static_cast<long long>(_capacity) * 3 / 2, 0x7fffffffLL);
        int capacity = std::max(size, static_cast<int>(grown));
        auto memory = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(capacity));
        int keep = _size < size ? _size : size;
        if (keep > 0) std::memcpy(memory.get(), _buf, static_cast<size_t>(keep));
        _owned = std::move(memory);  // frees the old memory if it was ours
        _buf = _owned.get();
        _capacity = capacity;
    }
    _size = size;
}

unsigned char* TBank::Lock() {
    ++_locked;
    return _buf;
}

void TBank::Unlock() {
    if (_locked > 0) --_locked;
}

unsigned char* TBank::At(int offset, int count) const {
    if (count < 0) throw TRuntimeException(u"Bank byte count must not be negative");
    if (offset < 0 || offset > _size || count > _size - offset)
        throw TRuntimeException(u"Bank offset out of range");
    return _buf + offset;
}

int TBank::Read(TStream& stream, int offset, int count) { return stream.Read(At(offset, count), count); }

int TBank::Write(TStream& stream, int offset, int count) { return stream.Write(At(offset, count), count); }

}  // namespace vellum
