#pragma once
// A source that plays a queue of buffers of our own, for sound that comes
// a piece at a time (a streamed voice, the mixer's output). The buffers it
// played out come back to be filled again; a source that ran dry while it
// should play is started again. Called with the output's context current.

#include <memory>
#include <vector>

#include "al/al_name.h"
#include "al/al_output_openal.h"

namespace vellum {

class TAlQueue {
public:
    // count buffers on output for source, which must have no buffer of its own.
    TAlQueue(const std::shared_ptr<TAlOutput>& output, ALuint source, int count);
    TAlQueue(const TAlQueue&) = delete;
    TAlQueue& operator=(const TAlQueue&) = delete;

    // Every buffer could be made.
    bool Complete() const { return _complete; }
    // Takes back the buffers played out; how many there were.
    int Reclaim();
    // Buffers free to fill, and buffers on the source.
    int Free() const { return static_cast<int>(_free.size()); }
    int Queued() const { return static_cast<int>(_buffers.size() - _free.size()); }
    // Copies bytes of frames into a free buffer and queues it; false when
    // none is free or OpenAL refuses.
    bool Queue(ALenum format, const void* frames, int bytes, int hertz);
    // Starts the source again when it stopped with buffers still queued.
    void KeepPlaying();
    // Stops the source and takes every buffer off it.
    void Clear();
    // The same number of new buffers for source on output's new device
    // (see TAlRebuilt); what was queued on the old one is gone.
    void Remake(const std::shared_ptr<TAlOutput>& output, ALuint source);

private:
    void Make(const std::shared_ptr<TAlOutput>& output, int count);

    ALuint _source;
    std::vector<TAlName> _buffers;
    std::vector<ALuint> _free;
    bool _complete = false;
};

}  // namespace vellum
