#pragma once
/// \file
/// TStreamWrapper: a stream that forwards everything to an inner stream.
/// Wrappers that change the data (byte order, text) override what they change.

#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream that passes every operation to an inner stream; wrappers change
/// some of them.
class TStreamWrapper : public TStream {
public:
    /// Closes the inner stream, like any I/O object that goes away.
    ~TStreamWrapper() override;

    /// Sets the inner stream.
    void SetStream(Ref<TStream> stream);
    /// The inner stream, Null when there is none.
    const Ref<TStream>& Stream() const { return _stream; }

    /// Without an inner stream a wrapper behaves as an empty stream: reads and
    /// writes transfer nothing, so typed reads and writes raise stream errors.
    ///@{
    int Eof() override;
    int Pos() override;
    int Size() override;
    int Seek(int pos) override;
    int Flush() override;
    int Close() override;
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;

    int ReadByte() override;
    void WriteByte(int value) override;
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
    String ReadLine() override;
    int WriteLine(const String& text) override;
    String ReadString(int length) override;
    void WriteString(const String& text) override;
    Ref<TObject> ReadObject() override;
    void WriteObject(const Ref<TObject>& object) override;
    ///@}

protected:
    /// The inner stream; raises the read or write error when there is none.
    TStream& Inner(bool forWriting);

    Ref<TStream> _stream;  ///< the inner stream, Null when there is none
};

}  // namespace vellum
#pragma GCC visibility pop
