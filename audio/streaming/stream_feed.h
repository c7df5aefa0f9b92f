#pragma once
// The frames of one voice of a streamed sound on their way out: a thread of
// the feed's own decodes ahead into a small ring, and one consumer (the
// mixing thread, or an OpenAL queue served on the feed's thread) takes
// them out. A looping sound comes out endless, its first frame right after
// its last; a damaged stream or a file gone missing just ends it.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "driver/spsc_ring.h"
#include "sample/audio_stream.h"

namespace vellum {

// A ring of frames in one sample format, from the feed's thread to one
// consumer, without locks: the bytes travel through a TSpscRing, always in
// whole frames, so a frame never straddles the point where it wraps.
class TStreamRing {
public:
    TStreamRing(int format, int frames);
    int Format() const { return _format; }

    // Consumer: copies up to frames frames into out; the count.
    int Pull(unsigned char* out, int frames);
    // Consumer: the frames waiting that lie in one piece of memory (up to
    // where the ring wraps), to use before Drop gives them up.
    int Peek(const unsigned char** frames) const;
    void Drop(int frames);
    // Consumer: frames waiting.
    int Available() const;
    // Consumer: no frame will come again.
    bool Drained() const;

    // Feed: room for frames, adding them, and the end of the frames.
    int Space() const;
    void Push(const unsigned char* frames, int count);
    void End() { _ended.store(true, std::memory_order_release); }
    bool Ended() const { return _ended.load(std::memory_order_acquire); }

    // Consumer's own scratch frames (the mixer keeps its window here).
    std::vector<std::int16_t> scratch;

private:
    int _format;
    int _bpf;
    TSpscRing<unsigned char> _bytes;
    std::atomic<bool> _ended{false};
};

class TStreamFeed {
public:
    // Starts the thread, which takes a decoder from stream and decodes from
    // the first frame into a ring of ringFrames frames in format. service,
    // when given, runs on the thread with the ring after each fill.
    TStreamFeed(std::shared_ptr<TAudioStream> stream, int format, int ringFrames,
                std::function<void(TStreamRing&)> service = {});
    // Stops the thread and waits for it (at most the piece it decodes).
    ~TStreamFeed();
    TStreamFeed(const TStreamFeed&) = delete;
    TStreamFeed& operator=(const TStreamFeed&) = delete;

    const std::shared_ptr<TStreamRing>& Ring() const { return _ring; }
    // Has the thread look at its ring now rather than at its next round.
    void Wake();

private:
    void Run();
    void Fill(TAudioDecoder& decoder, std::vector<unsigned char>& piece, std::vector<unsigned char>& converted);

    std::shared_ptr<TAudioStream> _stream;
    std::shared_ptr<TStreamRing> _ring;
    std::function<void(TStreamRing&)> _service;
    std::mutex _mutex;
    std::condition_variable _wake;
    bool _stop = false;   // under _mutex
    bool _woken = false;  // under _mutex
    bool _damaged = false;  // the thread's own
    std::thread _thread;  // last, so it starts once the rest is ready
};

// For tests: feed threads still running, and whether every live feed has
// its ring full or ended.
int StreamThreadsRunning();
bool StreamFeedsSettled();

}  // namespace vellum
