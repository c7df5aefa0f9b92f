#pragma once
// Internal to the OpenAL files: an OpenAL device with its context, and the
// scopes that make a context current for the calls inside them. Objects
// made on a device are freed by the library when it closes, so their
// holders (TAlName) delete them only while it is open.
//
// An output that is watched survives its device: when the device goes
// (ALC_CONNECTED turns 0: a sound server stopped, a card unplugged), its
// watch opens the same device names again about once a second, off the
// program thread, and once one opens, swaps it in and has every object
// made on the output (TAlRebuilt) made again there. An output that could
// not open any device at first starts on a stand-in (a loopback device)
// and is watched the same way; until a device opens, the watch also tries
// the platform's own output for the stand-in (TLoopbackPlayer), since
// OpenAL Soft never reaches a server that was not there at its first call.

#include <AL/al.h>
#include <AL/alc.h>

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vellum {

class TLoopbackPlayer;
class TOutputWatch;

// Something made on an output that must be made again on a new device.
class TAlRebuilt {
public:
    // Data (buffers) is rebuilt before the voices (sources) that play it.
    enum Stage { DATA, VOICES };
    virtual ~TAlRebuilt() = default;
    // Makes the object again on its output's new device; called with the
    // output locked and its new context current on the calling thread.
    virtual void Rebuild() = 0;
};

class TAlOutput {
public:
    // Opens the first of the device names that opens (Null names the
    // default device) and makes a context on it current; Null when no
    // device opens or the context cannot be made.
    static std::shared_ptr<TAlOutput> Open(std::initializer_list<const char*> names);
    // The same, but when no device opens, an output on the stand-in,
    // watched so that it gets the device once one opens.
    static std::shared_ptr<TAlOutput> OpenOrWait(std::initializer_list<const char*> names);
    ~TAlOutput();
    TAlOutput(const TAlOutput&) = delete;
    TAlOutput& operator=(const TAlOutput&) = delete;

    // Starts watching the device (see above); does nothing the second time.
    void Watch();
    // Stops watching, destroys the context and closes the device; later
    // calls do nothing. Waits for a thread inside a TAlThreadScope.
    void Close();
    bool IsOpen() const { return Context() != nullptr; }
    ALCcontext* Context() const { return _current.load(std::memory_order_acquire); }
    // Nothing is heard: the device went away, or none opened yet. Objects
    // still work, on a device that plays nowhere.
    bool Lost() const;
    // Grows by one each time a new device is swapped in.
    unsigned Generation() const { return _generation.load(std::memory_order_acquire); }
    // 1 when the context offers an AL extension.
    bool HasExtension(const char* name) const;
    // Has object made again on every new device, at its stage.
    void Track(std::weak_ptr<TAlRebuilt> object, TAlRebuilt::Stage stage);

private:
    friend class TAlContextScope;
    friend class TAlThreadScope;
    struct Device {
        ALCdevice* device = nullptr;
        ALCcontext* context = nullptr;
        bool standIn = false;
    };
    struct Tracked {
        std::weak_ptr<TAlRebuilt> object;
        TAlRebuilt::Stage stage;
    };

    TAlOutput() = default;
    // The first of _names that opens, with a context; empty when none.
    Device OpenDevice() const;
    static Device OpenStandIn();
    static void CloseDevice(Device& device);
    bool Connected();
    // Opens a device and swaps it in, or else plays the stand-in; false
    // when neither works.
    bool Reopen();
    bool PlayStandIn();

    std::vector<std::optional<std::string>> _names;  // Null: the default device
    mutable std::recursive_mutex _lock;  // held by every scope on the output, and to swap devices
    Device _device;              // under _lock
    std::atomic<ALCcontext*> _current{nullptr};
    std::atomic<unsigned> _generation{0};
    std::atomic<bool> _lost{false};
    std::vector<Tracked> _tracked;  // under _lock
    size_t _pruneAt = 64;
    std::unique_ptr<TLoopbackPlayer> _player;  // the watch's: plays the stand-in
    std::unique_ptr<TOutputWatch> _watch;
};

// The OpenAL format of a little-endian or 8-bit sample format; 0 for a
// big-endian or unknown one (see LittleEndianSample).
ALenum AlFormatOf(int sampleFormat);

// Makes output's context current on this thread for the lifetime of the
// scope, then restores the one that was current before (another driver may
// be using OpenAL too); keeps the output from changing devices meanwhile.
// For the program thread, or a thread rebuilding the output.
class TAlContextScope {
public:
    explicit TAlContextScope(const TAlOutput& output);
    ~TAlContextScope();
    TAlContextScope(const TAlContextScope&) = delete;
    TAlContextScope& operator=(const TAlContextScope&) = delete;

private:
    std::unique_lock<std::recursive_mutex> _lock;
    ALCcontext* _previous = nullptr;
    bool _switched = false;
};

// For a thread of our own that calls OpenAL now and then: makes output's
// context current on this thread alone and keeps the output from closing
// or changing devices until the scope ends. It never waits: Open() says
// whether the calls may go ahead, and is false while the program thread or
// the watch holds the output (try again at the next round).
class TAlThreadScope {
public:
    explicit TAlThreadScope(TAlOutput& output);
    ~TAlThreadScope();
    TAlThreadScope(const TAlThreadScope&) = delete;
    TAlThreadScope& operator=(const TAlThreadScope&) = delete;

    bool Open() const { return _bound; }

private:
    std::unique_lock<std::recursive_mutex> _lock;
    ALCcontext* _previous = nullptr;
    bool _bound = false;
};

}  // namespace vellum
