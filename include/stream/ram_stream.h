#pragma once
/// \file
/// TRamStream: a stream over fixed memory that it does not own; it never grows.

#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream over fixed memory that the program owns.
class TRamStream : public TStream {
public:
    /// A stream over size bytes at memory; reads and writes are refused unless
    /// readable or writeable.
    static Ref<TRamStream> Create(void* memory, int size, int readable, int writeable);

    int Pos() override { return _pos; }
    int Size() override { return _size; }
    /// Moves to pos clamped to 0..size.
    int Seek(int pos) override;
    /// Both transfer up to the end of the memory, nothing when the flag is off.
    ///@{
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    ///@}

private:
    int _pos = 0;
    int _size = 0;
    unsigned char* _buf = nullptr;
    int _read = 0;
    int _write = 0;
};

/// A stream over fixed memory.
Ref<TRamStream> CreateRamStream(void* memory, int size, int readable, int writeable);

}  // namespace vellum
#pragma GCC visibility pop
