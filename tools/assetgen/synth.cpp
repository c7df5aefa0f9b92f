#include "synth.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace assetgen {

double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

float Envelope::At(float t, float held) const {
    auto gate = [this](float u) {
        if (u < attack) {
            const float a = u / attack;
            return a * (2.0f - a);  // fast rise that eases into the peak
        }
        return sustain + (1.0f - sustain) * std::exp(-4.6f * (u - attack) / std::max(decay, 1e-4f));
    };
    if (t < 0.0f) return 0.0f;
    if (t < held) return gate(t);
    const float u = (t - held) / std::max(release, 1e-4f);
    if (u >= 1.0f) return 0.0f;
    const float fall = 1.0f - u;
    return gate(held) * fall * fall * fall;
}

void Svf::Set(float cutoffHz, float resonance) {
    const float fc = std::clamp(cutoffHz, 20.0f, 0.45f * static_cast<float>(kSampleRate));
    g_ = std::tan(kPi * fc / static_cast<float>(kSampleRate));
    k_ = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
}

void Svf::Run(float x) {
    const float a1 = 1.0f / (1.0f + g_ * (g_ + k_));
    const float v3 = x - s2_;
    band = a1 * s1_ + g_ * a1 * v3;
    low = s2_ + g_ * band;
    s1_ = 2.0f * band - s1_;
    s2_ = 2.0f * low - s2_;
    high = x - k_ * band - low;
}

namespace {

// Correction that rounds off a step of size 2 at phase 0.
float PolyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float Wrap(float t) { return t - std::floor(t); }

}  // namespace

Oscillator::Oscillator(uint64_t seed, float phase) : phase_(phase), noise_(seed * 2654435761ull + 1) {}

float Oscillator::Next(Wave wave, float hz) {
    const float dt = std::min(hz / static_cast<float>(kSampleRate), 0.45f);
    const float t = phase_;
    phase_ = Wrap(phase_ + dt);
    switch (wave) {
        case Wave::Sine:
            return std::sin(2.0f * kPi * t);
        case Wave::Triangle:
            return 4.0f * std::fabs(t - 0.5f) - 1.0f;
        case Wave::Saw:
            return 2.0f * t - 1.0f - PolyBlep(t, dt);
        case Wave::Square:
            return (t < 0.5f ? 1.0f : -1.0f) + PolyBlep(t, dt) - PolyBlep(Wrap(t + 0.5f), dt);
        case Wave::Pulse:
            return (t < 0.25f ? 1.0f : -1.0f) + PolyBlep(t, dt) - PolyBlep(Wrap(t + 0.75f), dt) + 0.5f;
        case Wave::Noise: {
            noise_ ^= noise_ << 13;
            noise_ ^= noise_ >> 7;
            noise_ ^= noise_ << 17;
            return static_cast<float>(noise_ >> 40) / static_cast<float>(1 << 23) - 1.0f;
        }
    }
    return 0.0f;
}

std::vector<float> RenderNote(const Patch& p, double midi, float held, float velocity, uint64_t seed) {
    const float rate = static_cast<float>(kSampleRate);
    const size_t count = static_cast<size_t>((held + p.amp.release) * rate) + 1;
    std::vector<float> out(count);
    const float baseHz = static_cast<float>(MidiToHz(midi));
    Rng rng(seed);
    Oscillator osc1(seed, rng.Unit()), osc2(seed + 7, rng.Unit()), sub(seed + 13, 0.0f), mod(seed + 17, 0.0f);
    Svf filter;
    const float track = std::pow(2.0f, p.keyTrack * static_cast<float>(midi - 60.0) / 12.0f);
    const float ratio2 = std::pow(2.0f, p.detune2 / 12.0f);
    const float vibratoPhase = rng.Unit() * 2.0f * kPi;
    const bool filtered = p.cutoff < 17000.0f || p.filterEnv != 0.0f;
    float carrier = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / rate;
        const float level = p.amp.At(t, held);
        float semis = 0.0f;
        if (p.pitchDrop != 0.0f) semis += p.pitchDrop * std::exp(-t / std::max(p.glide, 1e-4f));
        if (p.vibrato > 0.0f && t > p.vibratoDelay) {
            const float depth = p.vibrato * std::min(1.0f, (t - p.vibratoDelay) * 3.0f);
            semis += depth * std::sin(2.0f * kPi * p.vibratoRate * t + vibratoPhase);
        }
        const float hz = semis == 0.0f ? baseHz : baseHz * std::exp2(semis / 12.0f);
        float s;
        if (p.fmIndex > 0.0f) {
            const float index = p.fmIndex * std::exp(-t / std::max(p.fmDecay, 1e-4f));
            const float m = mod.Next(Wave::Sine, hz * p.fmRatio) * index;
            // Phase modulation: the carrier's phase is offset by the modulator.
            s = std::sin(2.0f * kPi * carrier + m);
            carrier += hz / rate;
            carrier -= std::floor(carrier);
        } else {
            s = osc1.Next(p.wave, hz);
        }
        if (p.mix2 > 0.0f) s += p.mix2 * osc2.Next(p.wave2, hz * ratio2);
        if (p.sub > 0.0f) s += p.sub * sub.Next(Wave::Sine, hz * 0.5f);
        if (filtered) {
            if ((i & 15) == 0) {
                const float env = p.filter.At(t, held);
                filter.Set(p.cutoff * track * std::exp2(p.filterEnv * env), p.resonance);
            }
            filter.Run(s);
            s = filter.low;
        }
        out[i] = s * level * velocity * p.gain;
    }
    return out;
}

void FadeOut(std::vector<float>& buffer, size_t samples) {
    samples = std::min(samples, buffer.size());
    const size_t start = buffer.size() - samples;
    for (size_t i = 0; i < samples; ++i) {
        const float u = static_cast<float>(i + 1) / static_cast<float>(samples);
        buffer[start + i] *= 0.5f + 0.5f * std::cos(kPi * u);
    }
}

namespace {

// Six detuned square waves: the metallic body of hats and cymbals.
float Metal(Oscillator* bank, float scale) {
    static constexpr float kRatios[6] = {1.0f, 1.4471f, 1.6170f, 1.9265f, 2.5028f, 2.6637f};
    float s = 0.0f;
    for (int k = 0; k < 6; ++k) s += bank[k].Next(Wave::Square, 310.0f * scale * kRatios[k]);
    return s / 6.0f;
}

}  // namespace

std::vector<float> RenderDrum(Drum drum, uint64_t seed) {
    const float rate = static_cast<float>(kSampleRate);
    float seconds = 0.3f;
    switch (drum) {
        case Drum::Kick: seconds = 0.45f; break;
        case Drum::Snare: seconds = 0.32f; break;
        case Drum::Clap: seconds = 0.35f; break;
        case Drum::HatClosed: seconds = 0.09f; break;
        case Drum::HatOpen: seconds = 0.42f; break;
        case Drum::Crash: seconds = 2.2f; break;
        case Drum::Tom: seconds = 0.5f; break;
    }
    std::vector<float> out(static_cast<size_t>(seconds * rate));
    Oscillator tone(seed), tone2(seed + 1), noise(seed + 2);
    Oscillator metal[6] = {Oscillator(seed + 3), Oscillator(seed + 4), Oscillator(seed + 5),
                           Oscillator(seed + 6), Oscillator(seed + 7), Oscillator(seed + 8)};
    Svf filter, filter2;
    switch (drum) {
        case Drum::Snare: filter.Set(2800.0f, 0.3f); break;
        case Drum::Clap: filter.Set(1300.0f, 0.55f); break;
        case Drum::HatClosed:
        case Drum::HatOpen: filter.Set(7500.0f, 0.2f); break;
        case Drum::Crash: filter.Set(5200.0f, 0.1f); break;
        default: filter.Set(600.0f, 0.2f); break;
    }
    filter2.Set(11000.0f, 0.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        const float attack = std::min(1.0f, t / 0.0015f);
        float s = 0.0f;
        switch (drum) {
            case Drum::Kick: {
                const float hz = 46.0f + 130.0f * std::exp(-t / 0.028f);
                s = std::tanh(1.6f * tone.Next(Wave::Sine, hz)) * std::exp(-t / 0.2f);
                filter.Run(noise.Next(Wave::Noise, 0.0f));
                s += 0.5f * filter.band * std::exp(-t / 0.006f);  // the beater's click
                break;
            }
            case Drum::Tom: {
                const float hz = 95.0f + 60.0f * std::exp(-t / 0.05f);
                s = tone.Next(Wave::Sine, hz) * std::exp(-t / 0.18f);
                break;
            }
            case Drum::Snare: {
                const float body = 0.55f * tone.Next(Wave::Sine, 185.0f) * std::exp(-t / 0.045f) +
                                   0.3f * tone2.Next(Wave::Sine, 330.0f) * std::exp(-t / 0.03f);
                filter.Run(noise.Next(Wave::Noise, 0.0f));
                s = body + 0.9f * (filter.band + 0.4f * filter.high) * std::exp(-t / 0.09f);
                break;
            }
            case Drum::Clap: {
                // Three quick bursts then a short diffuse tail.
                float env = std::exp(-t / 0.09f);
                for (int k = 0; k < 3; ++k) {
                    const float u = t - 0.011f * static_cast<float>(k);
                    if (u >= 0.0f) env += 0.9f * std::exp(-u / 0.004f);
                }
                filter.Run(noise.Next(Wave::Noise, 0.0f));
                s = 1.6f * filter.band * env;
                break;
            }
            case Drum::HatClosed:
            case Drum::HatOpen:
            case Drum::Crash: {
                const float decay = drum == Drum::HatClosed ? 0.022f : drum == Drum::HatOpen ? 0.13f : 0.75f;
                const float raw = 0.6f * Metal(metal, drum == Drum::Crash ? 1.3f : 1.0f) +
                                  0.5f * noise.Next(Wave::Noise, 0.0f);
                filter.Run(raw);
                filter2.Run(filter.high);
                s = 0.8f * filter2.low * std::exp(-t / decay);
                break;
            }
        }
        out[i] = s * attack;
    }
    FadeOut(out, out.size() / 5);
    return out;
}

}  // namespace assetgen
