#include "instruments.h"

namespace assetgen::instruments {

Patch Lead() {
    Patch p;
    p.wave = Wave::Square;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.5f;
    p.detune2 = 0.08f;
    p.amp = {0.008f, 0.3f, 0.7f, 0.12f};
    p.cutoff = 1800.0f;
    p.keyTrack = 0.6f;
    p.resonance = 0.3f;
    p.filterEnv = 1.6f;
    p.filter = {0.003f, 0.35f, 0.2f, 0.2f};
    p.vibrato = 0.14f;
    p.vibratoRate = 5.5f;
    p.vibratoDelay = 0.22f;
    p.gain = 0.32f;
    return p;
}

Patch Brass() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.8f;
    p.detune2 = 0.1f;
    p.amp = {0.03f, 0.4f, 0.8f, 0.18f};
    p.cutoff = 900.0f;
    p.keyTrack = 0.5f;
    p.resonance = 0.15f;
    p.filterEnv = 2.0f;
    p.filter = {0.06f, 0.5f, 0.4f, 0.2f};
    p.vibrato = 0.1f;
    p.vibratoDelay = 0.3f;
    p.pitchDrop = -0.4f;  // scoops up into the note
    p.glide = 0.03f;
    p.gain = 0.3f;
    return p;
}

Patch Flute() {
    Patch p;
    p.wave = Wave::Triangle;
    p.wave2 = Wave::Sine;
    p.mix2 = 0.6f;
    p.detune2 = 12.0f;
    p.amp = {0.08f, 0.5f, 0.8f, 0.35f};
    p.cutoff = 2600.0f;
    p.vibrato = 0.12f;
    p.vibratoRate = 4.8f;
    p.vibratoDelay = 0.35f;
    p.gain = 0.45f;
    return p;
}

Patch Pluck() {
    Patch p;
    p.wave = Wave::Pulse;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.3f;
    p.detune2 = -0.06f;
    p.amp = {0.002f, 0.22f, 0.0f, 0.08f};
    p.cutoff = 900.0f;
    p.keyTrack = 0.5f;
    p.resonance = 0.35f;
    p.filterEnv = 2.6f;
    p.filter = {0.001f, 0.13f, 0.0f, 0.1f};
    p.gain = 0.24f;
    return p;
}

Patch Pad() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.9f;
    p.detune2 = 0.13f;
    p.sub = 0.2f;
    p.amp = {0.3f, 1.0f, 0.85f, 0.7f};
    p.cutoff = 1300.0f;
    p.keyTrack = 0.3f;
    p.resonance = 0.15f;
    p.filterEnv = 0.6f;
    p.filter = {0.5f, 1.0f, 0.3f, 0.6f};
    p.gain = 0.09f;
    return p;
}

Patch Strings() {
    Patch p = Pad();
    p.detune2 = -0.11f;
    p.amp = {0.55f, 1.0f, 0.9f, 1.3f};
    p.cutoff = 1000.0f;
    p.vibrato = 0.06f;
    p.vibratoRate = 4.5f;
    p.vibratoDelay = 0.4f;
    p.gain = 0.1f;
    return p;
}

Patch Bass() {
    Patch p;
    p.wave = Wave::Saw;
    p.mix2 = 0.0f;
    p.sub = 0.5f;
    p.amp = {0.004f, 0.25f, 0.6f, 0.06f};
    p.cutoff = 380.0f;
    p.resonance = 0.35f;
    p.filterEnv = 2.2f;
    p.filter = {0.002f, 0.14f, 0.0f, 0.1f};
    p.gain = 0.42f;
    return p;
}

Patch SoftBass() {
    Patch p;
    p.wave = Wave::Triangle;
    p.sub = 0.9f;
    p.amp = {0.02f, 0.8f, 0.7f, 0.3f};
    p.cutoff = 700.0f;
    p.gain = 0.45f;
    return p;
}

Patch Bell() {
    Patch p;
    p.fmRatio = 4.0f;
    p.fmIndex = 1.8f;
    p.fmDecay = 0.35f;
    p.amp = {0.002f, 1.1f, 0.0f, 0.5f};
    p.gain = 0.2f;
    return p;
}

Patch Keys() {
    Patch p;
    p.fmRatio = 1.0f;
    p.fmIndex = 1.6f;
    p.fmDecay = 0.5f;
    p.amp = {0.003f, 1.8f, 0.2f, 0.45f};
    p.gain = 0.32f;
    return p;
}

}  // namespace assetgen::instruments
