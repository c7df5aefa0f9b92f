#pragma once
/// \file
/// TSound, a loaded sample ready to play, and TChannel, one playing or
/// paused voice of a sound. The base types are silent: every operation
/// does nothing.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Load flags of LoadSound and CreateSound.
constexpr int SOUND_LOOP = 1;      ///< loop the sound when played
constexpr int SOUND_HARDWARE = 2;  ///< ask for a hardware-mixed buffer
/// Keep the file open and decode it while the sound plays, a little ahead,
/// on a thread of each voice's own: for long music. Works for urls that can
/// be opened again (names, "proto::" urls, banks); a sample or an open
/// stream loads whole.
constexpr int SOUND_STREAM = 4;

/// One voice: a sound playing, paused or stopped on a driver.
class TChannel : public TObject {
public:
    /// Stop, pause (1) or resume (0), volume 0..1, pan -1 (left) to 1
    /// (right), depth, and rate as a factor of the sound's rate. Each returns
    /// 1 when the voice was changed, else 0; the base does nothing.
    ///@{
    virtual int Stop();
    virtual int SetPaused(int paused);
    virtual int SetVolume(float volume);
    virtual int SetPan(float pan);
    virtual int SetDepth(float depth);
    virtual int SetRate(float rate);
    ///@}
    /// 1 while the voice is audible, else 0.
    virtual int Playing();
};

/// A sound loaded by a driver, ready to play on channels.
class TSound : public TObject {
public:
    /// Starts the sound on channel (a new channel when channel is Null or of
    /// another driver); the base returns a new silent channel.
    virtual Ref<TChannel> Play(const Ref<TChannel>& channel);
    /// Prepares the sound on channel, paused; the base returns a new silent channel.
    virtual Ref<TChannel> Cue(const Ref<TChannel>& channel);

    /// A sound of the current driver from url, which may already be a
    /// TAudioSample; Null when no sample can be loaded. With SOUND_STREAM the
    /// file is only opened and recognised here.
    static Ref<TSound> Load(const Ref<TObject>& url, int flags);
};

}  // namespace vellum
#pragma GCC visibility pop
