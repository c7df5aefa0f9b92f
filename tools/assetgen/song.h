#pragma once

// A song as data (parts of notes played by patches, drum hits, mix settings)
// and the renderer that turns it into a seamless stereo loop.

#include <vector>

#include "reverb.h"
#include "synth.h"

namespace assetgen {

// Times and lengths are in steps: sixteenth notes, 16 to a bar.
struct Note {
    double step = 0.0;
    double length = 1.0;
    int midi = 60;
    float velocity = 0.8f;
};

struct Part {
    Patch patch;
    std::vector<Note> notes;
    float gain = 1.0f;
    float pan = 0.0f;     // -1 left .. 1 right
    float reverb = 0.2f;  // send levels
    float echo = 0.0f;
};

struct Hit {
    double step = 0.0;
    Drum drum = Drum::Kick;
    float velocity = 0.8f;
};

struct Song {
    double bpm = 120.0;
    int bars = 16;
    std::vector<Part> parts;
    std::vector<Hit> hits;
    float drumGain = 0.5f;
    float drumReverb = 0.08f;
    float room = 0.7f;
    float damping = 0.5f;
    double echoSteps = 3.0;  // a dotted eighth
    float echoFeedback = 0.35f;
    float swing = 0.0f;  // off-beat sixteenths come this fraction of a step late
    float peak = 0.85f;  // the loop is scaled so its loudest sample is this

    double FramesPerStep() const;
    size_t LoopFrames() const;
};

// Renders exactly LoopFrames() frames. Everything that rings past the end
// (releases, echoes, reverb) is folded back onto the start, so the loop
// plays on from its last frame into its first without a seam.
StereoBuffer RenderSong(const Song& song);

}  // namespace assetgen
