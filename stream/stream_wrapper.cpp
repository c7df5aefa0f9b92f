#include "stream/stream_wrapper.h"

#include "runtime/exception.h"

namespace vellum {

TStreamWrapper::~TStreamWrapper() {
    try {
        TStreamWrapper::Close();
    } catch (...) {
        // A destructor must not throw; the inner stream's own destructor
        // still releases what it holds.
    }
}

void TStreamWrapper::SetStream(Ref<TStream> stream) { _stream = std::move(stream); }

TStream& TStreamWrapper::Inner(bool forWriting) {
    if (!_stream) {
        if (forWriting) throw TStreamWriteException();
        throw TStreamReadException();
    }
    return *_stream;
}

int TStreamWrapper::Eof() { return _stream ? _stream->Eof() : 1; }
int TStreamWrapper::Pos() { return _stream ? _stream->Pos() : -1; }
int TStreamWrapper::Size() { return _stream ? _stream->Size() : 0; }
int TStreamWrapper::Seek(int pos) { return _stream ? _stream->Seek(pos) : -1; }

int TStreamWrapper::Flush() { return _stream ? _stream->Flush() : 0; }

int TStreamWrapper::Close() { return _stream ? _stream->Close() : 0; }

int TStreamWrapper::Read(void* buffer, int count) { return _stream ? _stream->Read(buffer, count) : 0; }

int TStreamWrapper::Write(const void* buffer, int count) {
    return _stream ? _stream->Write(buffer, count) : 0;
}

int TStreamWrapper::ReadByte() { return Inner(false).ReadByte(); }
void TStreamWrapper::WriteByte(int value) { Inner(true).WriteByte(value); }
int TStreamWrapper::ReadShort() { return Inner(false).ReadShort(); }
void TStreamWrapper::WriteShort(int value) { Inner(true).WriteShort(value); }
int TStreamWrapper::ReadInt() { return Inner(false).ReadInt(); }
void TStreamWrapper::WriteInt(int value) { Inner(true).WriteInt(value); }
long long TStreamWrapper::ReadLong() { return Inner(false).ReadLong(); }
void TStreamWrapper::WriteLong(long long value) { Inner(true).WriteLong(value); }
float TStreamWrapper::ReadFloat() { return Inner(false).ReadFloat(); }
void TStreamWrapper::WriteFloat(float value) { Inner(true).WriteFloat(value); }
double TStreamWrapper::ReadDouble() { return Inner(false).ReadDouble(); }
void TStreamWrapper::WriteDouble(double value) { Inner(true).WriteDouble(value); }
String TStreamWrapper::ReadLine() { return _stream ? _stream->ReadLine() : String(); }
int TStreamWrapper::WriteLine(const String& text) { return _stream ? _stream->WriteLine(text) : 0; }
String TStreamWrapper::ReadString(int length) { return Inner(false).ReadString(length); }
void TStreamWrapper::WriteString(const String& text) { Inner(true).WriteString(text); }
Ref<TObject> TStreamWrapper::ReadObject() { return Inner(false).ReadObject(); }
void TStreamWrapper::WriteObject(const Ref<TObject>& object) { Inner(true).WriteObject(object); }

}  // namespace vellum
