#pragma once
/// \file
/// Function forms of the bank operations. A Null bank raises a runtime error.

#include "stream/bank.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A new bank of size bytes.
Ref<TBank> CreateBank(int size);
/// A bank over memory that stays its owner's.
Ref<TBank> CreateStaticBank(void* memory, int size);
/// The whole stream of url in a new bank; Null when it cannot be opened.
///@{
Ref<TBank> LoadBank(const Ref<TObject>& url);
Ref<TBank> LoadBank(const String& url);
///@}
/// Writes the bank to url: 1, or 0 when it cannot be opened or any write,
/// flush or close fails.
///@{
int SaveBank(const Ref<TBank>& bank, const Ref<TObject>& url);
int SaveBank(const Ref<TBank>& bank, const String& url);
///@}

/// The bank's memory.
unsigned char* BankBuf(const Ref<TBank>& bank);
/// Adds a lock and returns the memory.
unsigned char* LockBank(const Ref<TBank>& bank);
/// Removes a lock.
void UnlockBank(const Ref<TBank>& bank);
/// Bytes in use.
int BankSize(const Ref<TBank>& bank);
/// Bytes allocated, -1 for foreign memory.
int BankCapacity(const Ref<TBank>& bank);
/// Changes the bytes in use (see TBank::Resize).
void ResizeBank(const Ref<TBank>& bank, int size);
/// Copies count bytes between banks (the ranges may overlap); both ranges must
/// lie within the banks' bytes in use.
void CopyBankBytes(const Ref<TBank>& source, int sourceOffset, const Ref<TBank>& dest, int destOffset,
                   int count);

/// The bank itself; raises a runtime error for Null.
TBank& CheckedBank(const Ref<TBank>& bank);

}  // namespace vellum
#pragma GCC visibility pop
