#pragma once
// The software mixer: sounds by handle, 4095 channel slots addressed by
// handles that carry a generation, and every voice mixed into one 44100 Hz
// 16-bit stereo stream for an output device. All these functions belong to
// the program thread; the device's thread only mixes, and the two meet in
// lock-free rings (requests one way, finished temporary channels the other)
// and in one atomic status word per slot.
//
// Fixed point: rate 65536 is the sound's own speed (16.16); volume 4096 is
// full (4.12); pan -4096 left .. 4096 right and depth 0 in the same scale.

#include <memory>

#include "mixer/mixer_device.h"

namespace vellum {

class TAudioStream;

// Channel status bits.
constexpr int MIXER_DONE = 0x1;     // a one-shot sound played to its end
constexpr int MIXER_ACTIVE = 0x2;   // a sound was started or cued on the voice
constexpr int MIXER_LOOP = 0x4;     // the sound loops
constexpr int MIXER_PAUSED = 0x10;  // held at its position

// Slots and the handle layout: index in the low 12 bits, generation above.
constexpr int MIXER_SLOTS = 4096;
constexpr int MIXER_SLOT_MASK = 0xFFF;

// Starts the mixer on device, closing one already open; -1 on failure, else 0.
int MixerOpen(std::shared_ptr<TMixerDevice> device);
// Stops the device, stops every voice and makes every channel handle stale.
void MixerClose();
// 1 while a device is open.
int MixerIsOpen();
// 1 while the open device has no output and waits for one to come (back).
int MixerWaitingForOutput();

// A sound handle over a copy of samples (see NewMixerSoundData); loop is
// -1 to loop, 0 to play once. 0 when the parameters are out of range.
int MixerCreateSound(int length, int bits, int channels, int hertz, const void* samples, int loop);
// A sound handle over stream: each voice that plays it decodes its own
// frames on a thread of its own, a little ahead of the mixing.
int MixerCreateStreamSound(std::shared_ptr<TAudioStream> stream);
// Drops the program's hold on sound; voices playing it finish first.
void MixerFreeSound(int sound);

// A channel handle of a free slot, with a fresh voice; 0 when none is free.
int MixerAllocChannel();
// Gives the slot back. A voice that is still playing finishes first (its
// slot then frees itself); anything else stops at once.
void MixerFreeChannel(int handle);
// Starts (cue 0) or cues paused (cue 1) sound on handle, or on a new
// temporary channel when handle is 0; the handle, or 0 when nothing starts.
int MixerPlaySound(int sound, int cue, int handle);
// Stops the voice; a temporary channel's slot is freed as well.
void MixerStopChannel(int handle);
// Sets (paused non-zero) or clears MIXER_PAUSED.
int MixerSetPaused(int handle, int paused);
// value * 4096 truncated into 16 bits (volume below 0 counts as 0).
int MixerSetVolume(int handle, float value);
int MixerSetPan(int handle, float value);
int MixerSetDepth(int handle, float value);
// value * 65536 truncated, at least 0.
int MixerSetRate(int handle, float value);
// The voice's status bits; 0 for a stale handle or an idle voice.
int MixerChannelStatus(int handle);
// The voice's play position in frames of its sound.
int MixerChannelPosition(int handle);

// Requests thrown away because the ring stayed full (see MixerPlaySound).
int MixerDroppedRequests();

}  // namespace vellum
