#pragma once
/// \file
/// TIO: the byte-level core of every stream. The base operations describe a
/// stream that can do nothing; concrete streams override what they support.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The byte level of every stream: position, size, seeking and raw transfers.
/// The base does nothing: it is an empty stream that cannot seek.
class TIO : public TObject {
public:
    /// Destroying an I/O object closes it. Each class whose Close does real
    /// work calls its own Close from its destructor, since a base destructor
    /// cannot reach an override.
    ~TIO() override = default;

    /// 1 when the position has reached the size.
    virtual int Eof();
    /// The current position, -1 when the stream cannot seek.
    virtual int Pos();
    /// The length in bytes, 0 when unknown.
    virtual int Size();
    /// Moves to pos from the start; the new position, -1 when unsupported.
    virtual int Seek(int pos);
    /// Pushes buffered output to its destination: 0, or -1 when some of it
    /// could not be written.
    virtual int Flush();
    /// Releases what the stream holds; later closes do nothing and return 0.
    /// 0, or -1 when output written to the stream was lost.
    virtual int Close();
    /// Reads up to count bytes; the number read, 0 when nothing more comes.
    virtual int Read(void* buffer, int count);
    /// Writes up to count bytes; the number written, 0 when nothing fits.
    virtual int Write(const void* buffer, int count);
};

}  // namespace vellum
#pragma GCC visibility pop
