#pragma once
// Internal to the OpenAL files: the platform sound buffer over OpenAL, a
// source over an OpenAL buffer that its duplicates share.

#include <memory>
#include <vector>

#include "al/al_output_openal.h"
#include "streaming/stream_pump_openal.h"
#include "al/al_name.h"
#include "dsound/sound_buffer.h"

namespace vellum {

// One OpenAL buffer, shared by a buffer and its duplicates. What it holds
// is kept, to fill it again on a new device.
struct TAlData : TAlRebuilt {
    std::shared_ptr<TAlOutput> output;
    TAlName buffer;
    bool filled = false;
    std::vector<unsigned char> bytes;
    ALenum format = 0;
    int hertz = 0;

    void Rebuild() override;
};

class TAlSoundBuffer : public TSoundBuffer, public TAlRebuilt {
public:
    // A new source over data, or, for a streamed sound, over stream (data
    // then holds no buffer); SOUND_ERR_OUT_OF_MEMORY when none can be made.
    static int Make(std::shared_ptr<TAlData> data, const TPcmFormat& format, int flags, int bytes,
                    Ref<TAlSoundBuffer>* made, std::shared_ptr<TAudioStream> stream = nullptr);
    // A second source over the same data, with the same settings.
    int Duplicate(Ref<TSoundBuffer>* duplicate);
    const std::shared_ptr<TAlOutput>& Output() const { return _output; }
    // The OpenAL source, for looking at what the output has of the buffer.
    ALuint SourceId() const { return _source.Id(); }

    // Only the whole buffer can be locked: its data lives in OpenAL, which
    // cannot hand it back, so a lock starts from silence. A streamed
    // buffer cannot be locked, and its position only goes back to 0.
    int Lock(int offset, int bytes, void** region, int* regionBytes) override;
    int Unlock(void* region, int regionBytes) override;
    int Play(int flags) override;
    int Stop() override;
    int SetCurrentPosition(int offset) override;
    int SetVolume(int volume) override;
    int SetPan(int pan) override;
    int SetFrequency(int hertz) override;
    int GetStatus(int* status) override;
    int GetVolume(int* volume) override;
    int GetPan(int* pan) override;
    int GetFrequency(int* hertz) override;
    int Flags() override { return _flags; }
    // The source again on the output's new device, with its settings: a
    // looping or streamed buffer that played goes on, a stopped one waits
    // at its position, one that played once is over.
    void Rebuild() override;

private:
    ALint State() const;
    void Setup();
    int Upload(const std::vector<unsigned char>& bytes);
    void ApplyGainAndPan();

    std::shared_ptr<TAlOutput> _output;
    std::shared_ptr<TAlData> _data;
    TAlName _source;
    TPcmFormat _format;
    int _flags = 0;
    int _bytes = 0;
    std::vector<unsigned char> _staging;
    bool _locked = false;
    bool _looping = false;
    bool _playing = false;  // played and not stopped since
    int _frame = 0;         // where it was stopped or set
    int _volume = 0;
    int _pan = 0;
    int _hertz = 0;
    std::shared_ptr<TAudioStream> _stream;
    std::unique_ptr<TAlStreamPump> _pump;  // a streamed buffer's voice, from its cue on
};

}  // namespace vellum
