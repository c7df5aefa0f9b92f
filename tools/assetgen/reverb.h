#pragma once

// Stereo room reverb and ping-pong echo for the music mix. Both are linear and
// time-invariant, which is what lets the song renderer fold their tails from
// past the loop end back onto its start.

#include <cstddef>
#include <vector>

namespace assetgen {

struct StereoBuffer {
    std::vector<float> left, right;

    explicit StereoBuffer(size_t frames = 0) : left(frames), right(frames) {}
    size_t Frames() const { return left.size(); }
};

// Adds the reverberated input, scaled by `wet`, onto `out`. room is 0..1
// (tail length), damping 0..1 (how fast the highs die away).
void AddReverb(const StereoBuffer& in, StereoBuffer& out, float room, float damping, float wet);

// Adds a ping-pong echo of `in`: the first repeat on the left after
// delayFrames, each following one on the other side, `feedback` quieter and
// slightly darker.
void AddEcho(const StereoBuffer& in, StereoBuffer& out, size_t delayFrames, float feedback, float wet);

}  // namespace assetgen
