#include "stream/peek_poke.h"

#include <cstring>

#include "stream/bank_functions.h"

namespace vellum {

namespace {

template <class T>
T Peek(const Ref<TBank>& bank, int offset) {
    T value;
    std::memcpy(&value, CheckedBank(bank).At(offset, sizeof value), sizeof value);
    return value;
}

template <class T>
void Poke(const Ref<TBank>& bank, int offset, T value) {
    std::memcpy(CheckedBank(bank).At(offset, sizeof value), &value, sizeof value);
}

}  // namespace

int PeekByte(const Ref<TBank>& bank, int offset) { return Peek<unsigned char>(bank, offset); }
void PokeByte(const Ref<TBank>& bank, int offset, int value) {
    Poke(bank, offset, static_cast<unsigned char>(value));
}
int PeekShort(const Ref<TBank>& bank, int offset) { return Peek<unsigned short>(bank, offset); }
void PokeShort(const Ref<TBank>& bank, int offset, int value) {
    Poke(bank, offset, static_cast<unsigned short>(value));
}
int PeekInt(const Ref<TBank>& bank, int offset) { return Peek<int>(bank, offset); }
void PokeInt(const Ref<TBank>& bank, int offset, int value) { Poke(bank, offset, value); }
long long PeekLong(const Ref<TBank>& bank, int offset) { return Peek<long long>(bank, offset); }
void PokeLong(const Ref<TBank>& bank, int offset, long long value) { Poke(bank, offset, value); }
float PeekFloat(const Ref<TBank>& bank, int offset) { return Peek<float>(bank, offset); }
void PokeFloat(const Ref<TBank>& bank, int offset, float value) { Poke(bank, offset, value); }
double PeekDouble(const Ref<TBank>& bank, int offset) { return Peek<double>(bank, offset); }
void PokeDouble(const Ref<TBank>& bank, int offset, double value) { Poke(bank, offset, value); }

}  // namespace vellum
