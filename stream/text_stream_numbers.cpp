// Numbers through a text stream: one decimal line each.

#include "stream/text_stream.h"

namespace vellum {

int TTextStream::ReadByte() { return ParseInt(ReadLine()) & 0xFF; }
void TTextStream::WriteByte(int value) { WriteLine(ToString(value & 0xFF)); }
int TTextStream::ReadShort() { return ParseInt(ReadLine()) & 0xFFFF; }
void TTextStream::WriteShort(int value) { WriteLine(ToString(value & 0xFFFF)); }
int TTextStream::ReadInt() { return ParseInt(ReadLine()); }
void TTextStream::WriteInt(int value) { WriteLine(ToString(value)); }
long long TTextStream::ReadLong() { return ParseLong(ReadLine()); }
void TTextStream::WriteLong(long long value) { WriteLine(ToString(value)); }
float TTextStream::ReadFloat() { return static_cast<float>(ParseDouble(ReadLine())); }
void TTextStream::WriteFloat(float value) { WriteLine(ToString(value)); }
double TTextStream::ReadDouble() { return ParseDouble(ReadLine()); }
void TTextStream::WriteDouble(double value) { WriteLine(ToString(value)); }

}  // namespace vellum
