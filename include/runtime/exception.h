#pragma once
/// \file
/// The exception types. Every error the engine raises derives from TException
/// and carries the system's message text.

#include <exception>
#include <string>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The base of every error the engine raises.
class TException : public std::exception {
public:
    /// An error with this message.
    explicit TException(String message);
    /// The message text.
    const String& ToString() const { return _message; }
    /// The message text in UTF-8.
    const char* what() const noexcept override { return _utf8.c_str(); }

private:
    String _message;
    std::string _utf8;
};

/// An engine error with a message, such as "Too many hook ids".
class TRuntimeException : public TException {
public:
    /// An error with this message.
    explicit TRuntimeException(String message) : TException(std::move(message)) {}
};

/// Raised when a function reference that was never set is called.
class TNullFunctionException : public TException {
public:
    TNullFunctionException() : TException(u"Attempt to call uninitialized function") {}
};

/// A stream could not be read or written.
class TStreamException : public TException {
public:
    using TException::TException;
};

/// A stream ran out or failed while a whole value was being read.
class TStreamReadException : public TStreamException {
public:
    TStreamReadException() : TStreamException(u"Error reading from stream") {}
};

/// A stream failed to take everything written to it.
class TStreamWriteException : public TStreamException {
public:
    TStreamWriteException() : TStreamException(u"Error writing to stream") {}
};

/// The one rule for a Null object handed to a function that needs one: a
/// runtime error "<what> is Null", never a crash.
template <class T>
T& NotNull(const Ref<T>& object, const char16_t* what) {
    if (!object) throw TRuntimeException(String(what) + u" is Null");
    return *object;
}

}  // namespace vellum
#pragma GCC visibility pop
