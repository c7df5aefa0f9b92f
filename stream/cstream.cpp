#include "stream/cstream.h"

#include <sys/stat.h>

#include "stream/open_stream.h"

namespace vellum {

namespace {

bool IsFolder(std::FILE* file) {
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

TCStream::~TCStream() { TCStream::Close(); }

Ref<TCStream> TCStream::OpenFile(const String& path, int readable, int writeable) {
    int mode = MODE_READ;
    const char* how = "rb";
    if (readable && writeable) {
        mode = MODE_READ | MODE_WRITE;
        how = "r+b";
    } else if (writeable) {
        mode = MODE_WRITE;
        how = "wb";
    }
    std::FILE* file = std::fopen(ToUtf8(ForwardSlashes(path)).c_str(), how);
    if (!file) return nullptr;
    // fopen accepts a folder for reading; reading it only fails later.
    if (IsFolder(file)) {
        std::fclose(file);
        return nullptr;
    }
    return CreateWithCStream(file, mode);
}

Ref<TCStream> TCStream::CreateWithCStream(std::FILE* file, int mode) {
    auto stream = New<TCStream>();
    stream->_cstream = file;
    stream->_mode = mode;
    long pos = std::ftell(file);
    if (pos < 0) {
        stream->_pos = -1;
        return stream;
    }
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, pos, SEEK_SET);
    stream->_pos = static_cast<int>(pos);
    stream->_size = static_cast<int>(size);
    return stream;
}

int TCStream::Seek(int pos) {
    if (!_cstream || _pos < 0) return -1;
    std::fseek(_cstream, pos, SEEK_SET);
    _pos = static_cast<int>(std::ftell(_cstream));
    _last = 0;
    return _pos;
}

int TCStream::Flush() {
    if (_cstream && std::fflush(_cstream) != 0) _lost = true;
    return _lost ? -1 : 0;
}

int TCStream::Close() {
    if (!_cstream) return 0;
    // A full disk often shows only here, when the buffer is handed over.
    if (std::fflush(_cstream) != 0) _lost = true;
    if (std::fclose(_cstream) != 0) _lost = true;
    _cstream = nullptr;
    _pos = 0;
    _size = 0;
    bool lost = _lost;
    _lost = false;
    return lost ? -1 : 0;
}

void TCStream::Switch(int direction) {
    if (_last != 0 && _last != direction && _pos >= 0) std::fseek(_cstream, _pos, SEEK_SET);
    _last = direction;
}

int TCStream::Read(void* buffer, int count) {
    if (!_cstream || count <= 0) return 0;
    Switch(MODE_READ);
    int n = static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), _cstream));
    if (_pos >= 0) _pos += n;
    return n;
}

int TCStream::Write(const void* buffer, int count) {
    if (!_cstream || count <= 0) return 0;
    Switch(MODE_WRITE);
    int n = static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(count), _cstream));
    if (n < count) _lost = true;
    if (_pos >= 0) {
        _pos += n;
        if (_pos > _size) _size = _pos;
    }
    return n;
}

}  // namespace vellum
