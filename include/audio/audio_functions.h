#pragma once
/// \file
/// The function forms of the sound and channel operations. Null sounds and
/// channels are accepted and do nothing.

#include "audio/sound.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// A sound of the current driver from url; Null when it cannot be loaded.
///@{
Ref<TSound> LoadSound(const Ref<TObject>& url, int flags = 0);
Ref<TSound> LoadSound(const String& url, int flags = 0);
///@}
/// Starts sound on channel (a new channel when Null); the channel playing it.
Ref<TChannel> PlaySound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
/// Prepares sound on channel, paused and silent until resumed.
Ref<TChannel> CueSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
/// A channel of the current driver that the program keeps for its voices.
Ref<TChannel> AllocChannel();
/// Stops the voice; the channel then answers ChannelPlaying with 0.
void StopChannel(const Ref<TChannel>& channel);
/// 1 while the channel's voice is audible, else 0.
int ChannelPlaying(const Ref<TChannel>& channel);
/// Volume 0..1; pan -1 (left) to 1 (right); depth, a front-to-back place
/// that only the software mixer's drivers keep; rate as a factor of the
/// sound's rate. A Null channel is left alone.
///@{
void SetChannelVolume(const Ref<TChannel>& channel, float volume);
void SetChannelPan(const Ref<TChannel>& channel, float pan);
void SetChannelDepth(const Ref<TChannel>& channel, float depth);
void SetChannelRate(const Ref<TChannel>& channel, float rate);
///@}
/// Pauses the voice, keeping its position.
void PauseChannel(const Ref<TChannel>& channel);
/// Starts or continues the voice.
void ResumeChannel(const Ref<TChannel>& channel);

}  // namespace vellum
#pragma GCC visibility pop
