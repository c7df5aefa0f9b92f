#pragma once
// One voice of the mixer and the arithmetic that mixes it. Owned by the
// mixing side; the program reaches it only through requests.

#include <cstdint>

#include "streaming/stream_feed.h"
#include "mixer/mixer_sound.h"

namespace vellum {

struct TMixerVoice {
    TMixerSoundRef sound;              // held while the voice can still sound
    std::shared_ptr<TStreamRing> stream;  // a streamed sound's frames, 16-bit
    std::uint64_t streamPosition = 0;     // frames of the endless stream, 16.16
    std::uint64_t windowStart = 0;        // the stream frames in stream->scratch
    int windowCount = 0;
    std::uint64_t position = 0;        // frames of the sound, 16.16
    int status = 0;
    int rate = 65536;  // 16.16
    int volume = 4096;  // 4.12
    int pan = 0;        // 4.12
    int depth = 0;      // 4.12; kept and reported, but it changes nothing heard
    int handle = 0;     // the handle of the last request applied
    std::uint32_t seq = 0;  // sequence number of the last request applied
    bool temporary = false;  // the slot frees itself once the voice is over
    bool noticed = false;    // the program was told that it is over
    bool dirty = false;      // its status word needs publishing
};

// Left and right gains (4.12) of volume and pan. Balance law: the centre
// leaves both sides at full volume and panning only fades the far side, so
// a centred voice at full volume comes out sample for sample.
void MixerPanGains(int volume, int pan, int* left, int* right);
// Advance per output frame (16.16 frames of the sound) of rate at hertz.
std::uint64_t MixerVoiceStep(int rate, int hertz);
// Adds frames output frames of a voice that sounds into accum (left,
// right...). A one-shot sound that runs out marks the voice MIXER_DONE,
// leaves its position at the end and lets go of the sound.
void MixVoice(TMixerVoice& voice, std::int32_t* accum, int frames);
// Lets go of the voice's sound and stream.
void DropVoiceSound(TMixerVoice& voice);

}  // namespace vellum
