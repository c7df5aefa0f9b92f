#pragma once
// A streamed sound played on one OpenAL source through a few queued
// buffers, for the OpenAL and "DirectSound" drivers. The feed's thread
// decodes ahead, takes back the buffers played out, refills and queues
// them, and starts the source again if it ran dry while it should play.

#include <memory>
#include <mutex>

#include "al/al_queue_openal.h"
#include "streaming/stream_feed.h"

namespace vellum {

class TAlStreamPump {
public:
    // Starts decoding stream, from its first frame, for source (made on
    // output) in format, which must be one OpenAL plays as it is. The
    // source stays silent until Play.
    TAlStreamPump(std::shared_ptr<TAlOutput> output, ALuint source, std::shared_ptr<TAudioStream> stream, int format);
    // Stops the thread, then takes the buffers off the source and deletes them.
    ~TAlStreamPump();
    TAlStreamPump(const TAlStreamPump&) = delete;
    TAlStreamPump& operator=(const TAlStreamPump&) = delete;

    // Starts or continues.
    void Play();
    // Holds the position.
    void Pause();
    // Asked to play and not yet played out.
    bool Playing() const;
    // Played out: the last frame of a sound that does not loop was heard.
    bool Finished() const;
    // Goes on on source, made on the output's new device (see TAlRebuilt),
    // from the frames decoded next.
    void Rebind(ALuint source);

private:
    void Service(TStreamRing& ring);

    std::shared_ptr<TAlOutput> _output;
    ALuint _source;
    int _hertz;
    ALenum _alFormat;
    int _bpf;
    mutable std::mutex _mutex;
    TAlQueue _queue;                // under _mutex
    bool _playing = false;          // asked to play; under _mutex
    bool _finished = false;         // under _mutex
    std::unique_ptr<TStreamFeed> _feed;  // last: its thread uses the rest
};

}  // namespace vellum
