#pragma once
// TOpenALChannel: one voice of the OpenAL drivers, over a source of the
// pool (or a source of its own for channels the program allocates). A
// channel is valid while its _seq equals its source's; a stale channel
// ignores every operation.

#include "openal/openal_sound.h"
#include "openal/openal_source.h"

namespace vellum {

class TOpenALChannel : public TChannel {
public:
    // A valid channel that is not playing detaches its sound; a static
    // channel's source then goes back to the pool.
    ~TOpenALChannel() override;

    // A channel over an idle pooled source or a new one. Non-static
    // channels' sources join the pool at once.
    static Ref<TOpenALChannel> Create(int isStatic);

    // Attaches sound to the source, rewound and not yet playing.
    int Cue(const Ref<TOpenALSound>& sound);

    int Stop() override;
    // Pausing pauses; resuming plays only a paused or never-started source.
    int SetPaused(int paused) override;
    // Volume as the source gain.
    int SetVolume(float volume) override;
    // Pan -1..1 places the source on a unit circle: left, ahead, right.
    int SetPan(float pan) override;
    int SetDepth(float depth) override;
    // Rate as the source pitch.
    int SetRate(float rate) override;
    int Playing() override;

    Ref<TOpenALSource> _source;
    int _seq = 0;
    int _static = 0;

private:
    bool Valid() const;
    // Stops the source and detaches its sound.
    void Detach();
};

}  // namespace vellum
