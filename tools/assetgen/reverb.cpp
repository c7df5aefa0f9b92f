#include "reverb.h"

#include <array>

namespace assetgen {

namespace {

// Feedback comb filter with a one-pole lowpass in its loop.
class Comb {
public:
    explicit Comb(size_t length) : buffer_(length) {}
    float Run(float x, float feedback, float damping) {
        const float y = buffer_[pos_];
        store_ = y * (1.0f - damping) + store_ * damping;
        buffer_[pos_] = x + store_ * feedback;
        pos_ = pos_ + 1 == buffer_.size() ? 0 : pos_ + 1;
        return y;
    }

private:
    std::vector<float> buffer_;
    size_t pos_ = 0;
    float store_ = 0.0f;
};

// Schroeder allpass that smears the comb output into a dense tail.
class Allpass {
public:
    explicit Allpass(size_t length) : buffer_(length) {}
    float Run(float x) {
        const float b = buffer_[pos_];
        buffer_[pos_] = x + b * 0.5f;
        pos_ = pos_ + 1 == buffer_.size() ? 0 : pos_ + 1;
        return b - x;
    }

private:
    std::vector<float> buffer_;
    size_t pos_ = 0;
};

// Comb and allpass lengths for 44.1 kHz, mutually prime-ish so no echo stands out.
constexpr std::array<size_t, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> kAllpasses = {556, 441, 341, 225};
constexpr size_t kSpread = 23;  // right channel lengths are longer by this: a wide image

void ReverbChannel(const std::vector<float>& in, const std::vector<float>& other, std::vector<float>& out,
                   size_t spread, float feedback, float damping, float wet) {
    std::vector<Comb> combs;
    std::vector<Allpass> allpasses;
    for (size_t n : kCombs) combs.emplace_back(n + spread);
    for (size_t n : kAllpasses) allpasses.emplace_back(n + spread);
    for (size_t i = 0; i < in.size(); ++i) {
        const float x = (in[i] + other[i]) * 0.015f;
        float y = 0.0f;
        for (auto& c : combs) y += c.Run(x, feedback, damping);
        for (auto& a : allpasses) y = a.Run(y);
        out[i] += y * wet;
    }
}

}  // namespace

void AddReverb(const StereoBuffer& in, StereoBuffer& out, float room, float damping, float wet) {
    const float feedback = 0.7f + 0.28f * room;
    const float damp = 0.4f * damping;
    ReverbChannel(in.left, in.right, out.left, 0, feedback, damp, wet);
    ReverbChannel(in.left, in.right, out.right, kSpread, feedback, damp, wet);
}

void AddEcho(const StereoBuffer& in, StereoBuffer& out, size_t delayFrames, float feedback, float wet) {
    const size_t n = in.Frames();
    // Two taps that feed each other: left repeats into right and back.
    std::vector<float> left(n), right(n);
    float toneL = 0.0f, toneR = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        const float fromRight = i >= delayFrames ? right[i - delayFrames] : 0.0f;
        const float fromLeft = i >= delayFrames ? left[i - delayFrames] : 0.0f;
        const float inL = i >= delayFrames ? 0.5f * (in.left[i - delayFrames] + in.right[i - delayFrames]) : 0.0f;
        toneL += 0.55f * ((inL + fromRight * feedback) - toneL);
        toneR += 0.55f * (fromLeft * feedback - toneR);
        left[i] = toneL;
        right[i] = toneR;
        out.left[i] += left[i] * wet;
        out.right[i] += right[i] * wet;
    }
}

}  // namespace assetgen
