#pragma once
/// \file
/// TXEndianStream: a wrapper that reverses the bytes of every multi-byte value,
/// for data stored in the other byte order than the machine's.

#include "stream/stream_wrapper.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream whose numbers are in the other byte order than the machine's.
class TXEndianStream : public TStreamWrapper {
public:
    /// Wraps stream; Null stays Null.
    static Ref<TXEndianStream> Create(Ref<TStream> stream);
    /// stream as big-endian data: wrapped on a little-endian machine, itself otherwise.
    static Ref<TStream> BigEndian(Ref<TStream> stream);
    /// stream as little-endian data: itself on a little-endian machine, wrapped otherwise.
    static Ref<TStream> LittleEndian(Ref<TStream> stream);

    /// Reverse 2, 4 or 8 bytes in place.
    ///@{
    static void Swap2(void* bytes);
    static void Swap4(void* bytes);
    static void Swap8(void* bytes);
    ///@}

    int ReadShort() override;
    void WriteShort(int value) override;
    int ReadInt() override;
    void WriteInt(int value) override;
    long long ReadLong() override;
    void WriteLong(long long value) override;
    float ReadFloat() override;
    void WriteFloat(float value) override;
    double ReadDouble() override;
    void WriteDouble(double value) override;
};

/// stream read and written as big-endian data; Null stays Null.
Ref<TStream> BigEndianStream(Ref<TStream> stream);
/// stream read and written as little-endian data; Null stays Null.
Ref<TStream> LittleEndianStream(Ref<TStream> stream);

}  // namespace vellum
#pragma GCC visibility pop
