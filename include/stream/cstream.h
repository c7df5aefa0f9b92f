#pragma once
/// \file
/// TCStream: a file opened through the C standard file functions.

#include <cstdio>

#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A stream over a file of the C library.
class TCStream : public TStream {
public:
    static constexpr int MODE_READ = 1;   ///< the file is read
    static constexpr int MODE_WRITE = 2;  ///< the file is written

    ~TCStream() override;

    /// Opens a file ("\" counts as "/"): "r+b" when readable and writeable,
    /// "wb" when only writeable, else "rb". Null when it cannot be opened or
    /// names a folder.
    static Ref<TCStream> OpenFile(const String& path, int readable, int writeable);
    /// Takes over an open file; position and size come from the file. A file
    /// that cannot seek (a pipe) reports position -1.
    static Ref<TCStream> CreateWithCStream(std::FILE* file, int mode);

    int Pos() override { return _pos; }
    /// The file's length, grown by writes past the end.
    int Size() override { return _size; }
    /// Seeks from the start; the resulting position.
    int Seek(int pos) override;
    /// -1 when the file refused buffered output, or an earlier write came short.
    int Flush() override;
    /// Flushes and closes the file; the stream then reads and writes nothing.
    /// -1 when anything written did not reach the file.
    int Close() override;
    /// Both advance the position by the bytes transferred; a closed file transfers nothing.
    ///@{
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    ///@}

    /// The open file, Null once closed.
    std::FILE* CStream() const { return _cstream; }
    /// MODE_READ, MODE_WRITE or both.
    int Mode() const { return _mode; }

private:
    /// A file open for update must be repositioned between a read and a write.
    void Switch(int direction);

    int _pos = 0;
    int _size = 0;
    std::FILE* _cstream = nullptr;
    int _mode = 0;
    int _last = 0;  ///< MODE_READ or MODE_WRITE: the direction of the last transfer
    bool _lost = false;  ///< some output never reached the file
};

}  // namespace vellum
#pragma GCC visibility pop
