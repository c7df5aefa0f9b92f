#pragma once
/// \file
/// TBankStream: a stream over a bank; writing past the end grows the bank.

#include "stream/bank.h"
#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream over a bank's bytes.
class TBankStream : public TStream {
public:
    /// A stream over bank, or over a new empty bank when bank is Null.
    static Ref<TBankStream> Create(Ref<TBank> bank);

    int Pos() override { return _pos; }
    /// The bank's bytes in use.
    int Size() override { return _bank->Size(); }
    /// Moves to pos clamped to 0..size.
    int Seek(int pos) override;
    /// Reads up to the end of the bank.
    int Read(void* buffer, int count) override;
    /// Writes at the position, growing the bank; nothing when the position lies past its end.
    int Write(const void* buffer, int count) override;

    /// The bank the stream works on.
    const Ref<TBank>& Bank() const { return _bank; }

private:
    int _pos = 0;
    Ref<TBank> _bank;
};

/// A stream over bank (a new empty bank when Null).
Ref<TBankStream> CreateBankStream(Ref<TBank> bank);

}  // namespace vellum
#pragma GCC visibility pop
