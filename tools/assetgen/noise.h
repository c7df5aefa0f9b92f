#pragma once

// Seeded randomness and smooth noise for the generator. Everything is a pure
// function of its seed, so two builds draw the same pictures and sounds.

#include <cmath>
#include <cstdint>

namespace assetgen {

// Small fast generator (xorshift64*); never seeded from the clock.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24); }
    // Uniform in [lo, hi).
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    // Uniform in [-1, 1): white noise for audio.
    float Signed() { return Unit() * 2.0f - 1.0f; }

private:
    uint64_t state_;
};

// Hash of a lattice point to [0, 1).
inline float Hash2(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0x1000000);
}

// Smoothly interpolated value noise in [0, 1).
inline float ValueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = Hash2(ix, iy, seed), b = Hash2(ix + 1, iy, seed);
    const float c = Hash2(ix, iy + 1, seed), d = Hash2(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum of octaves, in [0, 1).
inline float Fbm(float x, float y, uint32_t seed, int octaves) {
    float sum = 0.0f, amp = 0.5f, norm = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

}  // namespace assetgen
