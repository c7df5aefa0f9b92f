#include "stream/xendian_stream.h"

#include <algorithm>
#include <array>
#include <bit>

namespace vellum {

namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

template <class T>
T ReadSwapped(TStream& inner) {
    std::array<unsigned char, sizeof(T)> bytes;
    inner.ReadBytes(bytes.data(), sizeof(T));
    std::reverse(bytes.begin(), bytes.end());
    return std::bit_cast<T>(bytes);
}

template <class T>
void WriteSwapped(TStream& inner, T value) {
    auto bytes = std::bit_cast<std::array<unsigned char, sizeof(T)>>(value);
    std::reverse(bytes.begin(), bytes.end());
    inner.WriteBytes(bytes.data(), sizeof(T));
}

}  // namespace

Ref<TXEndianStream> TXEndianStream::Create(Ref<TStream> stream) {
    if (!stream) return nullptr;
    auto wrapper = New<TXEndianStream>();
    wrapper->SetStream(std::move(stream));
    return wrapper;
}

Ref<TStream> TXEndianStream::BigEndian(Ref<TStream> stream) {
    if (kLittleEndian) return Create(std::move(stream));
    return stream;
}

Ref<TStream> TXEndianStream::LittleEndian(Ref<TStream> stream) {
    if (kLittleEndian) return stream;
    return Create(std::move(stream));
}

void TXEndianStream::Swap2(void* bytes) {
    auto* b = static_cast<unsigned char*>(bytes);
    std::reverse(b, b + 2);
}

void TXEndianStream::Swap4(void* bytes) {
    auto* b = static_cast<unsigned char*>(bytes);
    std::reverse(b, b + 4);
}

void TXEndianStream::Swap8(void* bytes) {
    auto* b = static_cast<unsigned char*>(bytes);
    std::reverse(b, b + 8);
}

int TXEndianStream::ReadShort() { return ReadSwapped<unsigned short>(Inner(false)); }
void TXEndianStream::WriteShort(int value) { WriteSwapped(Inner(true), static_cast<unsigned short>(value)); }
int TXEndianStream::ReadInt() { return ReadSwapped<int>(Inner(false)); }
void TXEndianStream::WriteInt(int value) { WriteSwapped(Inner(true), value); }
long long TXEndianStream::ReadLong() { return ReadSwapped<long long>(Inner(false)); }
void TXEndianStream::WriteLong(long long value) { WriteSwapped(Inner(true), value); }
float TXEndianStream::ReadFloat() { return ReadSwapped<float>(Inner(false)); }
void TXEndianStream::WriteFloat(float value) { WriteSwapped(Inner(true), value); }
double TXEndianStream::ReadDouble() { return ReadSwapped<double>(Inner(false)); }
void TXEndianStream::WriteDouble(double value) { WriteSwapped(Inner(true), value); }

Ref<TStream> BigEndianStream(Ref<TStream> stream) { return TXEndianStream::BigEndian(std::move(stream)); }

Ref<TStream> LittleEndianStream(Ref<TStream> stream) {
    return TXEndianStream::LittleEndian(std::move(stream));
}

}  // namespace vellum
