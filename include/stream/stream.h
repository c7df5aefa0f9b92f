#pragma once
/// \file
/// TStream: typed reads and writes on top of TIO. Multi-byte values travel in
/// the machine's byte order; a byte-order wrapper changes that.

#include "runtime/string.h"
#include "stream/io.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream: the byte level of TIO and typed values over it. Numbers are in
/// the machine's byte order unless a wrapper such as TXEndianStream or
/// TTextStream changes how they are written.
class TStream : public TIO {
public:
    /// Reads exactly count bytes; raises TStreamReadException when the stream ends first.
    virtual int ReadBytes(void* buffer, int count);
    /// Writes exactly count bytes; raises TStreamWriteException when the stream refuses them.
    virtual int WriteBytes(const void* buffer, int count);
    /// Reads and discards count bytes; raises TStreamReadException when the stream ends first.
    virtual int SkipBytes(int count);

    /// Reads one byte, 0..255.
    virtual int ReadByte();
    /// Writes the low 8 bits of value.
    virtual void WriteByte(int value);
    /// Reads two bytes as an unsigned value, 0..65535.
    virtual int ReadShort();
    /// Writes the low 16 bits of value.
    virtual void WriteShort(int value);
    /// Reads a 4-byte int.
    virtual int ReadInt();
    /// Writes a 4-byte int.
    virtual void WriteInt(int value);
    /// Reads an 8-byte integer.
    virtual long long ReadLong();
    /// Writes an 8-byte integer.
    virtual void WriteLong(long long value);
    /// Reads a 4-byte float.
    virtual float ReadFloat();
    /// Writes a 4-byte float.
    virtual void WriteFloat(float value);
    /// Reads an 8-byte double.
    virtual double ReadDouble();
    /// Writes an 8-byte double.
    virtual void WriteDouble(double value);

    /// Reads Latin-1 bytes up to LF, 0 or the end; CR bytes are dropped.
    virtual String ReadLine();
    /// Writes the text as bytes and CR LF; 1 when everything was written, else 0.
    virtual int WriteLine(const String& text);
    /// Reads length bytes, each becoming one character.
    virtual String ReadString(int length);
    /// Writes the low 8 bits of each character.
    virtual void WriteString(const String& text);

    /// Objects cannot travel through a plain stream: both raise a runtime error.
    ///@{
    virtual Ref<TObject> ReadObject();
    virtual void WriteObject(const Ref<TObject>& object);
    ///@}
};

}  // namespace vellum
#pragma GCC visibility pop
