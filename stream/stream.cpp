#include "stream/stream.h"

#include <cstring>
#include <string>

#include "runtime/exception.h"

namespace vellum {

namespace {

template <class T>
T ReadValue(TStream& stream) {
    T value;
    stream.ReadBytes(&value, sizeof value);
    return value;
}

template <class T>
void WriteValue(TStream& stream, T value) {
    stream.WriteBytes(&value, sizeof value);
}

}  // namespace

int TStream::ReadBytes(void* buffer, int count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (int done = 0; done < count;) {
        int n = Read(bytes + done, count - done);
        if (n <= 0) throw TStreamReadException();
        done += n;
    }
    return count;
}

int TStream::WriteBytes(const void* buffer, int count) {
    auto* bytes = static_cast<const unsigned char*>(buffer);
    for (int done = 0; done < count;) {
        int n = Write(bytes + done, count - done);
        if (n <= 0) throw TStreamWriteException();
        done += n;
    }
    return count;
}

int TStream::SkipBytes(int count) {
    unsigned char scratch[1024];
    for (int left = count; left > 0;) {
        int n = Read(scratch, left < 1024 ? left : 1024);
        if (n <= 0) throw TStreamReadException();
        left -= n;
    }
    return count;
}

int TStream::ReadByte() { return ReadValue<unsigned char>(*this); }
void TStream::WriteByte(int value) { WriteValue(*this, static_cast<unsigned char>(value)); }
int TStream::ReadShort() { return ReadValue<unsigned short>(*this); }
void TStream::WriteShort(int value) { WriteValue(*this, static_cast<unsigned short>(value)); }
int TStream::ReadInt() { return ReadValue<int>(*this); }
void TStream::WriteInt(int value) { WriteValue(*this, value); }
long long TStream::ReadLong() { return ReadValue<long long>(*this); }
void TStream::WriteLong(long long value) { WriteValue(*this, value); }
float TStream::ReadFloat() { return ReadValue<float>(*this); }
void TStream::WriteFloat(float value) { WriteValue(*this, value); }
double TStream::ReadDouble() { return ReadValue<double>(*this); }
void TStream::WriteDouble(double value) { WriteValue(*this, value); }

String TStream::ReadLine() {
    String line;
    unsigned char byte;
    while (Read(&byte, 1) == 1 && byte != 0 && byte != '\n') {
        if (byte != '\r') line.push_back(byte);
    }
    return line;
}

int TStream::WriteLine(const String& text) {
    std::string bytes = ToLatin1(text);
    int count = static_cast<int>(bytes.size());
    if (Write(bytes.data(), count) != count) return 0;
    return Write("\r\n", 2) == 2 ? 1 : 0;
}

String TStream::ReadString(int length) {
    // Grows in pieces, so that a bogus length from a damaged file fails on the
    // short read instead of allocating the whole length up front.
    std::string bytes;
    while (static_cast<int>(bytes.size()) < length) {
        int done = static_cast<int>(bytes.size());
        int piece = length - done < 65536 ? length - done : 65536;
        bytes.resize(static_cast<size_t>(done + piece));
        ReadBytes(bytes.data() + done, piece);
    }
    return FromLatin1(bytes);
}

void TStream::WriteString(const String& text) {
    std::string bytes = ToLatin1(text);
    WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
}

Ref<TObject> TStream::ReadObject() { throw TRuntimeException(u"Unable to read object"); }

void TStream::WriteObject(const Ref<TObject>&) { throw TRuntimeException(u"Unable to write object"); }

}  // namespace vellum
