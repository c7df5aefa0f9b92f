#pragma once
// The exception types. Every error the engine raises derives from TException
// and carries the system's message text.

#include <exception>
#include <string>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

class TException : public std::exception {
public:
    explicit TException(String message);
    // The message text.
    const String& ToString() const { return _message; }
    const char* what() const noexcept override { return _utf8.c_str(); }

private:
    String _message;
    std::string _utf8;
};

// An engine error with a message, such as "Too many hook ids".
class TRuntimeException : public TException {
public:
    explicit TRuntimeException(String message) : TException(std::move(message)) {}
};

// Raised when a function reference that was never set is called.
class TNullFunctionException : public TException {
public:
    TNullFunctionException() : TException(u"Attempt to call uninitialized function") {}
};

class TStreamException : public TException {
public:
    using TException::TException;
};

class TStreamReadException : public TStreamException {
public:
    TStreamReadException() : TStreamException(u"Error reading from stream") {}
};

class TStreamWriteException : public TStreamException {
public:
    TStreamWriteException() : TStreamException(u"Error writing to stream") {}
};

// The one rule for a Null object handed to a function that needs one: a
// runtime error "<what> is Null", never a crash.
template <class T>
T& NotNull(const Ref<T>& object, const char16_t* what) {
    if (!object) throw TRuntimeException(String(what) + u" is Null");
    return *object;
}

}  // namespace vellum
#pragma GCC visibility pop
