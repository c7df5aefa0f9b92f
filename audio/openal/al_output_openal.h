#pragma once
// Internal to the OpenAL files: an open OpenAL device with its context, and
// a scope that makes a context current for the calls inside it. Objects
// made on a device are freed by the library when it closes, so their
// wrappers delete them only while it is open.

#include <AL/al.h>
#include <AL/alc.h>

#include <initializer_list>
#include <memory>

namespace vellum {

class TAlOutput {
public:
    // Opens the first of the device names that opens (Null names the
    // default device) and makes a context on it current; Null when no
    // device opens or the context cannot be made.
    static std::shared_ptr<TAlOutput> Open(std::initializer_list<const char*> names);
    ~TAlOutput();
    TAlOutput(const TAlOutput&) = delete;
    TAlOutput& operator=(const TAlOutput&) = delete;

    // Destroys the context and closes the device; later calls do nothing.
    void Close();
    bool IsOpen() const { return _context != nullptr; }
    ALCcontext* Context() const { return _context; }
    // 1 when the context offers an AL extension.
    bool HasExtension(const char* name) const;

private:
    TAlOutput() = default;
    ALCdevice* _device = nullptr;
    ALCcontext* _context = nullptr;
};

// Makes a context current for the lifetime of the scope, then restores the
// one that was current before (another driver may be using OpenAL too).
class TAlContextScope {
public:
    explicit TAlContextScope(const TAlOutput& output);
    ~TAlContextScope();
    TAlContextScope(const TAlContextScope&) = delete;
    TAlContextScope& operator=(const TAlContextScope&) = delete;

private:
    ALCcontext* _previous = nullptr;
    bool _switched = false;
};

}  // namespace vellum
