#include "song.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace assetgen {

namespace {

constexpr double kTailSeconds = 6.0;

// Frame at which a step sounds, with swing on the off-beat sixteenths.
double StepFrame(const Song& song, double step) {
    // Steps before the start (an upbeat) or past the end sound in the loop's other end.
    const double total = song.bars * 16.0;
    step = std::fmod(step, total);
    if (step < 0.0) step += total;
    double frame = step * song.FramesPerStep();
    const double whole = std::floor(step);
    if (step == whole && static_cast<long>(whole) % 2 == 1) frame += song.swing * song.FramesPerStep();
    return frame;
}

// Adds mono samples at `start`, panned with equal power; writes past the
// buffer's end are dropped.
void AddPanned(StereoBuffer& bus, const std::vector<float>& samples, size_t start, float gain, float pan) {
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * kPi * 0.25f;
    const float gl = gain * std::cos(angle) * 1.41421356f, gr = gain * std::sin(angle) * 1.41421356f;
    const size_t end = std::min(bus.Frames(), start + samples.size());
    for (size_t i = start; i < end; ++i) {
        bus.left[i] += samples[i - start] * gl;
        bus.right[i] += samples[i - start] * gr;
    }
}

float DrumPan(Drum drum) {
    switch (drum) {
        case Drum::HatClosed:
        case Drum::HatOpen: return 0.25f;
        case Drum::Crash: return -0.3f;
        case Drum::Tom: return -0.2f;
        default: return 0.0f;
    }
}

}  // namespace

double Song::FramesPerStep() const { return kSampleRate * 60.0 / bpm / 4.0; }

size_t Song::LoopFrames() const { return static_cast<size_t>(std::llround(bars * 16 * FramesPerStep())); }

StereoBuffer RenderSong(const Song& song) {
    const size_t loop = song.LoopFrames();
    const size_t frames = loop + static_cast<size_t>(kTailSeconds * kSampleRate);
    StereoBuffer mix(frames), reverbSend(frames), echoSend(frames);
    const float secondsPerStep = static_cast<float>(song.FramesPerStep() / kSampleRate);

    uint64_t seed = 1;
    for (const Part& part : song.parts) {
        for (const Note& note : part.notes) {
            const auto samples = RenderNote(part.patch, note.midi, static_cast<float>(note.length) * secondsPerStep,
                                            note.velocity, seed++);
            const auto start = static_cast<size_t>(std::llround(StepFrame(song, note.step)));
            AddPanned(mix, samples, start, part.gain, part.pan);
            if (part.reverb > 0.0f) AddPanned(reverbSend, samples, start, part.gain * part.reverb, part.pan);
            if (part.echo > 0.0f) AddPanned(echoSend, samples, start, part.gain * part.echo, part.pan);
        }
    }

    std::map<Drum, std::vector<float>> kit;
    for (const Hit& hit : song.hits) {
        auto found = kit.find(hit.drum);
        if (found == kit.end()) found = kit.emplace(hit.drum, RenderDrum(hit.drum, 100 + static_cast<int>(hit.drum))).first;
        const auto start = static_cast<size_t>(std::llround(StepFrame(song, hit.step)));
        const float gain = song.drumGain * hit.velocity;
        AddPanned(mix, found->second, start, gain, DrumPan(hit.drum));
        AddPanned(reverbSend, found->second, start, gain * song.drumReverb, DrumPan(hit.drum));
    }

    StereoBuffer echoes(frames);
    AddEcho(echoSend, echoes, static_cast<size_t>(std::llround(song.echoSteps * song.FramesPerStep())),
            song.echoFeedback, 1.0f);
    for (size_t i = 0; i < frames; ++i) {
        mix.left[i] += echoes.left[i];
        mix.right[i] += echoes.right[i];
        reverbSend.left[i] += 0.5f * echoes.left[i];
        reverbSend.right[i] += 0.5f * echoes.right[i];
    }
    AddReverb(reverbSend, mix, song.room, song.damping, 1.0f);

    // Take out any offset below hearing before the loop is folded.
    for (auto* channel : {&mix.left, &mix.right}) {
        float previousIn = 0.0f, previousOut = 0.0f;
        for (float& s : *channel) {
            const float out = s - previousIn + 0.9995f * previousOut;
            previousIn = s;
            previousOut = out;
            s = out;
        }
    }

    // Fold the tail onto the start: what the previous pass still rings.
    for (size_t i = loop; i < frames; ++i) {
        mix.left[i - loop] += mix.left[i];
        mix.right[i - loop] += mix.right[i];
    }
    mix.left.resize(loop);
    mix.right.resize(loop);

    float peak = 1e-6f;
    for (size_t i = 0; i < loop; ++i) peak = std::max({peak, std::fabs(mix.left[i]), std::fabs(mix.right[i])});
    const float scale = song.peak / peak;
    for (size_t i = 0; i < loop; ++i) {
        mix.left[i] *= scale;
        mix.right[i] *= scale;
    }
    return mix;
}

}  // namespace assetgen
