#include "effects.h"

#include <algorithm>
#include <cmath>

#include "instruments.h"
#include "noise.h"
#include "reverb.h"
#include "synth.h"

namespace assetgen {

namespace {

size_t Frames(float seconds) { return static_cast<size_t>(seconds * static_cast<float>(kSampleRate)); }

float Time(size_t i) { return static_cast<float>(i) / static_cast<float>(kSampleRate); }

void AddAt(std::vector<float>& out, const std::vector<float>& in, float at, float gain) {
    const size_t start = Frames(at);
    if (out.size() < start + in.size()) out.resize(start + in.size());
    for (size_t i = 0; i < in.size(); ++i) out[start + i] += in[i] * gain;
}

// Scales to the given peak and makes sure the ends are silent.
std::vector<float> Finish(std::vector<float> out, float peak, float fadeSeconds) {
    FadeOut(out, Frames(fadeSeconds));
    float loudest = 1e-6f;
    for (float s : out) loudest = std::max(loudest, std::fabs(s));
    for (float& s : out) s *= peak / loudest;
    return out;
}

// A touch of room on a mono effect; the tail is kept.
std::vector<float> WithRoom(const std::vector<float>& dry, float tailSeconds, float wet) {
    StereoBuffer in(dry.size() + Frames(tailSeconds)), out(in.Frames());
    std::copy(dry.begin(), dry.end(), in.left.begin());
    std::copy(dry.begin(), dry.end(), in.right.begin());
    AddReverb(in, out, 0.45f, 0.5f, wet);
    std::vector<float> mixed(in.Frames());
    for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = in.left[i] + 0.5f * (out.left[i] + out.right[i]);
    return mixed;
}

}  // namespace

std::vector<float> SelectEffect() {
    // Two overlapping blips, B5 then F#6, each with its own smooth envelope.
    auto blip = [](float hz, float seconds, uint64_t seed) {
        std::vector<float> tone(Frames(seconds));
        Oscillator square(seed), sine(seed + 1);
        Svf soft;
        soft.Set(4200.0f, 0.1f);
        for (size_t i = 0; i < tone.size(); ++i) {
            const float t = Time(i);
            soft.Run(square.Next(Wave::Square, hz));
            const float env = std::min(1.0f, t / 0.002f) * std::exp(-t / 0.035f);
            tone[i] = (0.5f * soft.low + 0.5f * sine.Next(Wave::Sine, hz)) * env;
        }
        FadeOut(tone, tone.size() / 3);
        return tone;
    };
    std::vector<float> out;
    AddAt(out, blip(988.0f, 0.07f, 1), 0.0f, 0.8f);
    AddAt(out, blip(1480.0f, 0.1f, 3), 0.045f, 1.0f);
    return Finish(out, 0.7f, 0.02f);
}

std::vector<float> ExplosionEffect() {
    std::vector<float> out(Frames(1.3f));
    Rng rng(7);
    Oscillator rumble(3);
    Svf body, crack, low;
    crack.Set(2500.0f, 0.1f);
    low.Set(140.0f, 0.2f);
    float debris = 0.0f;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(i);
        const float noise = rng.Signed();
        const float attack = std::min(1.0f, t / 0.003f);
        if (i % 16 == 0) body.Set(150.0f + 3200.0f * std::exp(-t / 0.18f), 0.25f);
        body.Run(noise);
        crack.Run(noise);
        low.Run(noise);
        // Sparse crackles of debris while the blast is young.
        if (t < 0.6f && rng.Unit() < 0.0025f) debris = rng.Signed() * std::exp(-t / 0.25f);
        debris *= 0.985f;
        const float hz = 30.0f + 32.0f * std::exp(-t / 0.3f);
        float s = 1.1f * body.low * std::exp(-t / 0.32f);
        s += 0.8f * crack.high * std::exp(-t / 0.02f);
        s += 0.9f * rumble.Next(Wave::Sine, hz) * std::exp(-t / 0.45f);
        s += 1.6f * low.low * std::exp(-t / 0.55f);
        s += 0.5f * debris;
        out[i] = std::tanh(1.4f * s * attack);
    }
    return Finish(out, 0.9f, 0.3f);
}

std::vector<float> PickupEffect() {
    Patch chime = instruments::Bell();
    chime.fmRatio = 2.0f;
    chime.fmIndex = 1.2f;
    chime.amp = {0.002f, 0.5f, 0.0f, 0.25f};
    std::vector<float> out;
    const int notes[4] = {88, 92, 95, 100};  // E6 G#6 B6 E7
    for (int k = 0; k < 4; ++k)
        AddAt(out, RenderNote(chime, notes[k], 0.09f, k == 3 ? 1.0f : 0.8f, 40 + static_cast<uint64_t>(k)),
              0.045f * static_cast<float>(k), 1.0f);
    // A faint rising sweep underneath ties the notes into one gesture.
    Oscillator sweep(5);
    for (size_t i = 0; i < Frames(0.2f) && i < out.size(); ++i) {
        const float t = Time(i);
        const float env = std::sin(kPi * t / 0.2f);
        out[i] += 0.12f * env * sweep.Next(Wave::Triangle, 1200.0f + 5000.0f * t);
    }
    return Finish(WithRoom(out, 0.1f, 0.25f), 0.75f, 0.06f);
}

std::vector<float> AccelerateEffect() {
    std::vector<float> out(Frames(0.85f));
    Oscillator saw1(1), saw2(2), puff(3), air(4);
    Svf engine, whoosh;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(i);
        const float rise = 1.0f - std::exp(-t / 0.3f);
        const float hz = 62.0f + 120.0f * rise;
        if (i % 16 == 0) {
            engine.Set(350.0f + 2200.0f * rise, 0.45f);
            whoosh.Set(500.0f + 3500.0f * t / 0.85f, 0.5f);
        }
        engine.Run(saw1.Next(Wave::Saw, hz) + 0.7f * saw2.Next(Wave::Saw, hz * 1.502f));
        whoosh.Run(air.Next(Wave::Noise, 0.0f));
        // The engine's firing pulses: a tremolo that speeds up with the revs.
        const float pulse = 0.75f + 0.25f * puff.Next(Wave::Sine, hz * 0.5f);
        const float env = std::min(1.0f, t / 0.06f);
        const float airEnv = std::sin(kPi * std::min(1.0f, t / 0.85f));
        out[i] = env * (0.8f * engine.low * pulse + 0.35f * whoosh.band * airEnv);
    }
    return Finish(out, 0.75f, 0.3f);
}

std::vector<float> SuccessEffect() {
    Patch lead = instruments::Lead();
    lead.vibratoDelay = 0.15f;
    lead.amp.release = 0.2f;
    Patch bell = instruments::Bell();
    std::vector<float> out;
    const int rising[4] = {72, 76, 79, 84};  // C5 E5 G5 C6
    for (int k = 0; k < 4; ++k) {
        const float at = 0.09f * static_cast<float>(k);
        AddAt(out, RenderNote(lead, rising[k], 0.08f, 0.8f, 60 + static_cast<uint64_t>(k)), at, 1.0f);
        AddAt(out, RenderNote(bell, rising[k] + 12, 0.08f, 0.6f, 70 + static_cast<uint64_t>(k)), at, 1.0f);
    }
    // The closing chord, held with a bright bell on top.
    const int chord[4] = {72, 76, 79, 84};
    for (int k = 0; k < 4; ++k)
        AddAt(out, RenderNote(lead, chord[k], 0.5f, k == 3 ? 0.9f : 0.6f, 80 + static_cast<uint64_t>(k)), 0.38f, 0.8f);
    AddAt(out, RenderNote(bell, 96, 0.3f, 0.8f, 90), 0.38f, 1.0f);
    return Finish(WithRoom(out, 0.25f, 0.35f), 0.8f, 0.15f);
}

}  // namespace assetgen
