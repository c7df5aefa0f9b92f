#include "streaming/stream_pump_openal.h"

#include <algorithm>

#include "audio/audio_sample.h"

namespace vellum {

namespace {

// Four buffers of 2048 frames (about 186 ms at 44.1 kHz) queued ahead, and
// a ring of one more behind them: with the decoder's own state, a playing
// stream holds well under 256 KiB.
constexpr int kBuffers = 4;
constexpr int kBufferFrames = 2048;
constexpr int kRingFrames = kBufferFrames;

// Readies source for a queue: one with no buffer of its own.
const std::shared_ptr<TAlOutput>& QueueFor(const std::shared_ptr<TAlOutput>& output, ALuint source) {
    if (output->IsOpen()) {
        TAlContextScope scope(*output);
        alSourceRewind(source);
        alSourcei(source, AL_LOOPING, AL_FALSE);
        alSourcei(source, AL_BUFFER, 0);
    }
    return output;
}

}  // namespace

TAlStreamPump::TAlStreamPump(std::shared_ptr<TAlOutput> output, ALuint source, std::shared_ptr<TAudioStream> stream,
                             int format)
    : _output(std::move(output)),
      _source(source),
      _hertz(stream->Hertz()),
      _alFormat(AlFormatOf(format)),
      _bpf(SampleBytesPerFrame(format)),
      _queue(QueueFor(_output, source), source, kBuffers) {
    _feed = std::make_unique<TStreamFeed>(std::move(stream), format, kRingFrames, [this](TStreamRing& ring) { Service(ring); });
}

TAlStreamPump::~TAlStreamPump() {
    _feed.reset();
    if (_output->IsOpen()) {
        TAlContextScope scope(*_output);
        _queue.Clear();
    }
}

// The output first, then the pump: the order the watch takes them in.
void TAlStreamPump::Play() {
    {
        TAlContextScope scope(*_output);
        std::lock_guard lock(_mutex);
        if (_finished) return;
        _playing = true;
        if (_output->IsOpen() && _queue.Queued() > 0) alSourcePlay(_source);
    }
    _feed->Wake();
}

void TAlStreamPump::Pause() {
    TAlContextScope scope(*_output);
    std::lock_guard lock(_mutex);
    _playing = false;
    if (_output->IsOpen()) alSourcePause(_source);
}

bool TAlStreamPump::Playing() const {
    std::lock_guard lock(_mutex);
    return _playing && !_finished;
}

bool TAlStreamPump::Finished() const {
    std::lock_guard lock(_mutex);
    return _finished;
}

void TAlStreamPump::Rebind(ALuint source) {
    std::lock_guard lock(_mutex);
    _source = source;
    QueueFor(_output, source);
    _queue.Remake(_output, source);
}

// Nothing is taken from the ring while the output is lost: the decoding
// waits with it, and the sound goes on from there once it is back.
void TAlStreamPump::Service(TStreamRing& ring) {
    if (_output->Lost()) return;
    TAlThreadScope scope(*_output);
    if (!scope.Open()) return;
    std::lock_guard lock(_mutex);
    _queue.Reclaim();
    // A buffer takes what the ring holds once it is full, or as full as
    // whole pieces let it be, or at the end.
    while (_queue.Free() > 0 && ring.Available() > 0 &&
           (ring.Available() >= kBufferFrames || ring.Space() < kBufferFrames / 2 || ring.Ended())) {
        const unsigned char* frames = nullptr;
        int count = std::min(ring.Peek(&frames), kBufferFrames);
        if (!_queue.Queue(_alFormat, frames, count * _bpf, _hertz)) break;
        ring.Drop(count);
    }
    if (ring.Drained() && _queue.Queued() == 0) {
        _finished = true;
        _playing = false;
    } else if (_playing) {
        _queue.KeepPlaying();  // started before the first frames came, or ran dry
    }
}

}  // namespace vellum
