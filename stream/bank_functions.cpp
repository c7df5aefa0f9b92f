#include "stream/bank_functions.h"

#include <cstring>

#include "runtime/exception.h"

namespace vellum {

TBank& CheckedBank(const Ref<TBank>& bank) { return NotNull(bank, u"Bank"); }

Ref<TBank> CreateBank(int size) { return TBank::Create(size); }
Ref<TBank> CreateStaticBank(void* memory, int size) { return TBank::CreateStatic(memory, size); }
Ref<TBank> LoadBank(const Ref<TObject>& url) { return TBank::Load(url); }
Ref<TBank> LoadBank(const String& url) { return TBank::Load(url); }
int SaveBank(const Ref<TBank>& bank, const Ref<TObject>& url) { return CheckedBank(bank).Save(url); }
int SaveBank(const Ref<TBank>& bank, const String& url) { return CheckedBank(bank).Save(url); }

unsigned char* BankBuf(const Ref<TBank>& bank) { return CheckedBank(bank).Buf(); }
unsigned char* LockBank(const Ref<TBank>& bank) { return CheckedBank(bank).Lock(); }
void UnlockBank(const Ref<TBank>& bank) { CheckedBank(bank).Unlock(); }
int BankSize(const Ref<TBank>& bank) { return CheckedBank(bank).Size(); }
int BankCapacity(const Ref<TBank>& bank) { return CheckedBank(bank).Capacity(); }
void ResizeBank(const Ref<TBank>& bank, int size) { CheckedBank(bank).Resize(size); }

void CopyBankBytes(const Ref<TBank>& source, int sourceOffset, const Ref<TBank>& dest, int destOffset,
                   int count) {
    unsigned char* from = CheckedBank(source).At(sourceOffset, count);
    unsigned char* to = CheckedBank(dest).At(destOffset, count);
    if (count > 0) std::memmove(to, from, static_cast<size_t>(count));
}

}  // namespace vellum
