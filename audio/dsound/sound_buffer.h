#pragma once
// The platform sound buffers under the "DirectSound" driver: a device that
// makes buffers, and buffers that each carry one voice. Results follow the
// platform's convention: 0 on success, a negative code on failure.
//
// Units: volume in hundredths of a decibel, -10000 (silent) to 0 (full);
// pan -10000 (left only) to 10000 (right only), attenuating the far side
// by that many hundredths of a decibel; frequency in Hz, 100..200000, 0
// meaning the buffer's own rate. Stop keeps the play position; play on a
// buffer that is already playing only changes its looping.

#include <memory>

#include "runtime/object.h"

namespace vellum {

class TAudioStream;

// Result codes.
constexpr int SOUND_OK = 0;
constexpr int SOUND_ERR_GENERIC = static_cast<int>(0x80004005u);
constexpr int SOUND_ERR_INVALID_PARAM = static_cast<int>(0x80070057u);
constexpr int SOUND_ERR_OUT_OF_MEMORY = static_cast<int>(0x8007000Eu);
constexpr int SOUND_ERR_NO_DRIVER = static_cast<int>(0x88780078u);
constexpr int SOUND_ERR_BUFFER_LOST = static_cast<int>(0x88780096u);

// Buffer description flags.
constexpr int SOUND_BUFFER_STATIC = 0x2;
constexpr int SOUND_BUFFER_SOFTWARE = 0x8;
constexpr int SOUND_BUFFER_CTRL_FREQUENCY = 0x20;
constexpr int SOUND_BUFFER_CTRL_PAN = 0x40;
constexpr int SOUND_BUFFER_CTRL_VOLUME = 0x80;
constexpr int SOUND_BUFFER_GLOBAL_FOCUS = 0x8000;

// Play flag: loop until stopped.
constexpr int SOUND_PLAY_LOOPING = 1;
// Status bits.
constexpr int SOUND_STATUS_PLAYING = 1;
constexpr int SOUND_STATUS_LOOPING = 4;

// Cooperation level that lets a program set the output format.
constexpr int SOUND_COOP_PRIORITY = 2;

// A PCM format block.
struct TPcmFormat {
    int formatTag = 1;  // 1 = PCM
    int channels = 0;
    int samplesPerSec = 0;
    int avgBytesPerSec = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
};

// A buffer description.
struct TSoundBufferDesc {
    int size = 36;
    int flags = 0;
    int bufferBytes = 0;
};

class TSoundBuffer : public TObject {
public:
    // Memory for writing bytes bytes at offset; Unlock hands them to the buffer.
    virtual int Lock(int offset, int bytes, void** region, int* regionBytes) = 0;
    virtual int Unlock(void* region, int regionBytes) = 0;
    // Starts playing from the current position; flags SOUND_PLAY_LOOPING or 0.
    virtual int Play(int flags) = 0;
    // Stops playing and keeps the position.
    virtual int Stop() = 0;
    // Moves the play position to a byte offset.
    virtual int SetCurrentPosition(int offset) = 0;
    virtual int SetVolume(int volume) = 0;
    virtual int SetPan(int pan) = 0;
    virtual int SetFrequency(int hertz) = 0;
    // Status bits: SOUND_STATUS_PLAYING, SOUND_STATUS_LOOPING.
    virtual int GetStatus(int* status) = 0;
    // The last values set (the defaults 0, 0 and the buffer's rate at first).
    virtual int GetVolume(int* volume) = 0;
    virtual int GetPan(int* pan) = 0;
    virtual int GetFrequency(int* hertz) = 0;
    // The description flags the buffer was made with.
    virtual int Flags() = 0;
};

class TSoundDevice : public TObject {
public:
    virtual int SetCooperativeLevel(int level) = 0;
    // 1 while the device plays nowhere, waiting for its output to come (back).
    virtual int Waiting() { return 0; }
    // A buffer of desc.bufferBytes bytes of sample data in format.
    virtual int CreateSoundBuffer(const TPcmFormat& format, const TSoundBufferDesc& desc,
                                  Ref<TSoundBuffer>* buffer) = 0;
    // A buffer that plays stream as it decodes, its frames in format (the
    // stream's own layout); duplicates decode on their own. The default
    // refuses with SOUND_ERR_INVALID_PARAM.
    virtual int CreateStreamBuffer(const TPcmFormat& format, const TSoundBufferDesc& desc,
                                   const std::shared_ptr<TAudioStream>& stream, Ref<TSoundBuffer>* buffer);
    // A second voice over the same sample data as original.
    virtual int DuplicateSoundBuffer(const Ref<TSoundBuffer>& original, Ref<TSoundBuffer>* duplicate) = 0;
    // Closes the device: every buffer made by it stops and goes silent for
    // good. Destroying the device does the same.
    virtual void Release() = 0;
};

// 1 when the platform can make sound devices at all.
int SoundDevicesAvailable();
// Opens the default output device.
int CreateSoundDevice(Ref<TSoundDevice>* device);

}  // namespace vellum
