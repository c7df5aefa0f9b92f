#pragma once
/// \file
/// TBank: a resizable block of memory, owned by the bank or wrapping memory
/// that belongs to someone else. Every access through an offset is checked
/// against the bytes in use.

#include <memory>

#include "runtime/object.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

class TStream;

/// A block of memory that streams can read from and write to (TBankStream).
class TBank : public TObject {
public:
    /// A bank of size bytes of owned memory (contents undefined).
    static Ref<TBank> Create(int size);
    /// A bank over memory it does not own (capacity -1).
    static Ref<TBank> CreateStatic(void* memory, int size);
    /// The whole stream of url in a new bank of exactly its length; Null when
    /// the url cannot be opened.
    ///@{
    static Ref<TBank> Load(const Ref<TObject>& url);
    static Ref<TBank> Load(const String& url);
    ///@}

    /// Writes the bytes in use to url: 1, or 0 when it cannot be opened or
    /// any write, flush or close fails.
    ///@{
    int Save(const Ref<TObject>& url);
    int Save(const String& url);
    ///@}

    /// Changes the bytes in use to size. Growing past the capacity moves the
    /// contents into new owned memory of at least capacity * 3 / 2 bytes;
    /// foreign memory is moved on any resize and never freed.
    void Resize(int size);

    /// The memory.
    unsigned char* Buf() const { return _buf; }
    /// Adds a lock and returns the memory.
    unsigned char* Lock();
    /// Removes a lock (never below none).
    void Unlock();
    /// Bytes in use.
    int Size() const { return _size; }
    /// Bytes allocated, -1 for foreign memory.
    int Capacity() const { return _capacity; }
    /// Locks not yet removed.
    int LockCount() const { return _locked; }

    /// The memory of count bytes at offset; raises a runtime error unless
    /// they lie within the bytes in use.
    unsigned char* At(int offset, int count) const;

    /// One Read of count bytes from stream into the bank at offset; the stream's result.
    int Read(TStream& stream, int offset, int count);
    /// One Write of count bytes at offset to stream; the stream's result.
    int Write(TStream& stream, int offset, int count);

private:
    std::unique_ptr<unsigned char[]> _owned;  ///< Null for foreign memory
    unsigned char* _buf = nullptr;            ///< the owned or the foreign memory
    int _size = 0;
    int _capacity = 0;
    int _locked = 0;
};

}  // namespace vellum
#pragma GCC visibility pop
