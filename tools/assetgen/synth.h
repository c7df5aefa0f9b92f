#pragma once

// The small synthesiser behind the music and the sound effects: band-limited
// oscillators, envelopes, a state-variable filter, one-note voices described
// by a patch, and synthesised drums.

#include <cstdint>
#include <cstddef>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 44100;
constexpr float kPi = 3.14159265358979f;

double MidiToHz(double midi);

enum class Wave { Sine, Triangle, Saw, Square, Pulse, Noise };

// Attack, decay and release in seconds, sustain as a level.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 1.0f;
    float release = 0.05f;

    // Level t seconds after key-down for a key held `held` seconds; reaches
    // exactly 0 at held + release.
    float At(float t, float held) const;
};

// Topology-preserving state-variable filter (stable under fast cutoff sweeps).
class Svf {
public:
    void Set(float cutoffHz, float resonance);
    // One sample in; all three responses updated.
    void Run(float x);
    float low = 0.0f, band = 0.0f, high = 0.0f;

private:
    float g_ = 0.1f, k_ = 1.4f, s1_ = 0.0f, s2_ = 0.0f;
};

// Phase-accumulating oscillator with polyBLEP edges for saw, square and pulse.
class Oscillator {
public:
    explicit Oscillator(uint64_t seed = 1, float phase = 0.0f);
    float Next(Wave wave, float hz);

private:
    float phase_;
    uint64_t noise_;
};

// Everything that shapes one synthesised note.
struct Patch {
    Wave wave = Wave::Saw;
    Wave wave2 = Wave::Saw;
    float mix2 = 0.0f;         // level of the second oscillator
    float detune2 = 0.0f;      // its offset in semitones
    float sub = 0.0f;          // level of a sine one octave down
    Envelope amp;
    float cutoff = 18000.0f;   // filter cutoff at rest, Hz
    float resonance = 0.5f;    // 0 (none) to 0.95
    float filterEnv = 0.0f;    // octaves the filter envelope opens the cutoff by
    float keyTrack = 0.0f;     // 1 = cutoff follows the note's pitch
    Envelope filter{0.002f, 0.25f, 0.0f, 0.2f};
    float vibrato = 0.0f;      // depth in semitones
    float vibratoRate = 5.0f;  // Hz
    float vibratoDelay = 0.25f;
    float fmRatio = 0.0f;      // sine FM: modulator frequency ratio
    float fmIndex = 0.0f;      // modulation index at key-down
    float fmDecay = 0.5f;      // seconds for the index to fall to a third
    float pitchDrop = 0.0f;    // semitones above pitch at key-down, gliding down
    float glide = 0.02f;       // seconds of that glide
    float gain = 1.0f;
};

// One note as mono samples: `held` seconds key-down plus the release.
std::vector<float> RenderNote(const Patch& patch, double midi, float held, float velocity, uint64_t seed);

enum class Drum { Kick, Snare, Clap, HatClosed, HatOpen, Crash, Tom };

// One drum hit as mono samples, ending silent.
std::vector<float> RenderDrum(Drum drum, uint64_t seed);

// Fades the last `samples` samples to zero along a half cosine.
void FadeOut(std::vector<float>& buffer, size_t samples);

}  // namespace assetgen
