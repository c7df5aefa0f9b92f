#pragma once
// Internal to the OpenAL files: what an OpenAL loopback device renders,
// played through the platform's own audio output. OpenAL Soft settles
// which outputs it can reach once, at its first call, so a sound server or
// card that appears after that is reached this way. Starting fails at once
// while there is no output, so the watch may simply try again.

#include <AL/alc.h>

#include <memory>

namespace vellum {

class TLoopbackPlayer {
public:
    // Pulls 16-bit stereo at hertz from loopback (a device made with those
    // attributes) for the default output; Null when none opens.
    static std::unique_ptr<TLoopbackPlayer> Start(ALCdevice* loopback, int hertz);
    // Returns once no pull is in progress; loopback may then be closed.
    ~TLoopbackPlayer();
    TLoopbackPlayer(const TLoopbackPlayer&) = delete;
    TLoopbackPlayer& operator=(const TLoopbackPlayer&) = delete;

    // The output still pulls: false once it went away.
    bool Playing() const;

private:
    struct Output;
    explicit TLoopbackPlayer(std::unique_ptr<Output> output);
    std::unique_ptr<Output> _output;
};

}  // namespace vellum
