#pragma once
// TDirectSoundChannel: one voice of the "DirectSound" driver. A channel is
// valid while it holds a buffer whose _seq still equals its own; a stale
// channel only remembers volume, pan and rate for its next Cue.

#include "dsound/dsound_sound.h"

namespace vellum {

class TDirectSoundChannel : public TChannel {
public:
    // A channel dropped while it holds its buffer cued or paused frees the
    // buffer; one dropped while playing lets the sound finish.
    ~TDirectSoundChannel() override;

    // A channel; isStatic is 1 for channels the program allocates.
    static Ref<TDirectSoundChannel> Create(int isStatic);

    // Takes a free buffer of sound (or a new duplicate) and prepares it,
    // paused, with this channel's settings. 1 on success, 0 when no buffer
    // could be had.
    int Cue(const Ref<TDirectSoundSound>& sound);

    int Stop() override;
    int SetPaused(int paused) override;
    // Volume 0..1 through the loudness curve volume^0.1.
    int SetVolume(float volume) override;
    // Pan -1..1 through the curve sign * (1 - (1 - |pan|)^0.1).
    int SetPan(float pan) override;
    int SetDepth(float depth) override;
    int SetRate(float rate) override;
    int Playing() override;

    float _volume = 1.0f;  // after the loudness curve
    float _pan = 0.0f;     // after the pan curve
    float _rate = 1.0f;
    int _static = 0;
    Ref<TSound> _sound;
    Ref<TBuf> _buf;
    int _seq = 0;
    int _hertz = 0;
    int _playFlags = 0;

private:
    bool Valid() const;
    int BufferVolume() const;
    int BufferPan() const;
    int BufferFrequency() const;
};

}  // namespace vellum
