#pragma once
/// \file
/// Reading and writing values at byte offsets in a bank, in the machine's byte
/// order. Bytes and shorts read unsigned. An access that does not lie wholly
/// within the bank's bytes in use raises a runtime error.

#include "stream/bank.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The byte at offset, 0..255.
int PeekByte(const Ref<TBank>& bank, int offset);
/// Stores the low 8 bits of value at offset.
void PokeByte(const Ref<TBank>& bank, int offset, int value);
/// The 2-byte value at offset, 0..65535.
int PeekShort(const Ref<TBank>& bank, int offset);
/// Stores the low 16 bits of value at offset.
void PokeShort(const Ref<TBank>& bank, int offset, int value);
/// The 4-byte int at offset.
int PeekInt(const Ref<TBank>& bank, int offset);
/// Stores a 4-byte int at offset.
void PokeInt(const Ref<TBank>& bank, int offset, int value);
/// The 8-byte integer at offset.
long long PeekLong(const Ref<TBank>& bank, int offset);
/// Stores an 8-byte integer at offset.
void PokeLong(const Ref<TBank>& bank, int offset, long long value);
/// The 4-byte float at offset.
float PeekFloat(const Ref<TBank>& bank, int offset);
/// Stores a 4-byte float at offset.
void PokeFloat(const Ref<TBank>& bank, int offset, float value);
/// The 8-byte double at offset.
double PeekDouble(const Ref<TBank>& bank, int offset);
/// Stores an 8-byte double at offset.
void PokeDouble(const Ref<TBank>& bank, int offset, double value);

}  // namespace vellum
#pragma GCC visibility pop
