#pragma once
// Internal to the OpenAL files: an open OpenAL device with its context, and
// a scope that makes a context current for the calls inside it. Objects
// made on a device are freed by the library when it closes, so their
// holders (TAlName) delete them only while it is open.

#include <AL/al.h>
#include <AL/alc.h>

#include <initializer_list>
#include <memory>
#include <shared_mutex>

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
    // Waits for a thread inside a TAlThreadScope on this output.
    void Close();
    bool IsOpen() const { return _context != nullptr; }
    ALCcontext* Context() const { return _context.get(); }
    // 1 when the context offers an AL extension.
    bool HasExtension(const char* name) const;

private:
    friend class TAlThreadScope;
    struct DeviceCloser {
        void operator()(ALCdevice* device) const { alcCloseDevice(device); }
    };
    struct ContextDestroyer {
        void operator()(ALCcontext* context) const;
    };

    TAlOutput() = default;
    std::unique_ptr<ALCdevice, DeviceCloser> _device;
    std::unique_ptr<ALCcontext, ContextDestroyer> _context;
    std::shared_mutex _closing;  // held shared by threads using the output, exclusively by Close
};

// The OpenAL format of a little-endian or 8-bit sample format; 0 for a
// big-endian or unknown one (see LittleEndianSample).
ALenum AlFormatOf(int sampleFormat);

// Makes a context current for the lifetime of the scope, then restores the
// one that was current before (another driver may be using OpenAL too).
// For the program thread.
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

// For a thread of our own that calls OpenAL: makes output's context
// current on this thread alone and keeps the output from closing until the
// scope ends. Open() says whether the calls may go ahead.
class TAlThreadScope {
public:
    explicit TAlThreadScope(TAlOutput& output);
    ~TAlThreadScope();
    TAlThreadScope(const TAlThreadScope&) = delete;
    TAlThreadScope& operator=(const TAlThreadScope&) = delete;

    bool Open() const { return _bound; }

private:
    std::shared_lock<std::shared_mutex> _lock;
    bool _bound = false;
};

}  // namespace vellum
