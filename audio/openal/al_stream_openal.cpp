#include "openal/al_stream_openal.h"

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

ALenum AlFormatOf(int format) {
    switch (format) {
        case SF_MONO8: return AL_FORMAT_MONO8;
        case SF_MONO16LE: return AL_FORMAT_MONO16;
        case SF_STEREO8: return AL_FORMAT_STEREO8;
        default: return AL_FORMAT_STEREO16;
    }
}

}  // namespace

TAlStreamPump::TAlStreamPump(std::shared_ptr<TAlOutput> output, ALuint source, std::shared_ptr<TAudioStream> stream,
                             int format)
    : _output(std::move(output)),
      _source(source),
      _hertz(stream->Hertz()),
      _alFormat(AlFormatOf(format)),
      _bpf(SampleBytesPerFrame(format)) {
    if (_output->IsOpen()) {  // a queue needs a source with no buffer of its own
        TAlContextScope scope(*_output);
        alSourceRewind(_source);
        alSourcei(_source, AL_LOOPING, AL_FALSE);
        alSourcei(_source, AL_BUFFER, 0);
    }
    for (int i = 0; i < kBuffers; ++i) {
        TAlName buffer = TAlName::Make(TAlName::BUFFER, _output);
        if (!buffer) break;
        _free.push_back(buffer.Id());
        _buffers.push_back(std::move(buffer));
    }
    _feed = std::make_unique<TStreamFeed>(std::move(stream), format, kRingFrames, [this](TStreamRing& ring) { Service(ring); });
}

TAlStreamPump::~TAlStreamPump() {
    _feed.reset();
    if (_output->IsOpen()) {
        TAlContextScope scope(*_output);
        alSourceStop(_source);
        alSourcei(_source, AL_BUFFER, 0);  // takes every queued buffer off
    }
    _buffers.clear();
}

void TAlStreamPump::Play() {
    {
        std::lock_guard lock(_mutex);
        if (_finished) return;
        _playing = true;
        if (_output->IsOpen() && Queued() > 0) {
            TAlContextScope scope(*_output);
            alSourcePlay(_source);
        }
    }
    _feed->Wake();
}

void TAlStreamPump::Pause() {
    std::lock_guard lock(_mutex);
    _playing = false;
    if (!_output->IsOpen()) return;
    TAlContextScope scope(*_output);
    alSourcePause(_source);
}

bool TAlStreamPump::Playing() const {
    std::lock_guard lock(_mutex);
    return _playing && !_finished;
}

bool TAlStreamPump::Finished() const {
    std::lock_guard lock(_mutex);
    return _finished;
}

ALint TAlStreamPump::Queued() const { return static_cast<ALint>(_buffers.size() - _free.size()); }

void TAlStreamPump::Service(TStreamRing& ring) {
    TAlThreadScope scope(*_output);
    if (!scope.Open()) return;
    std::lock_guard lock(_mutex);
    ALint processed = 0;
    alGetSourcei(_source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint id = 0;
        alSourceUnqueueBuffers(_source, 1, &id);
        _free.push_back(id);
    }
    // A buffer takes what the ring holds once it is full, or as full as
    // whole pieces let it be, or at the end.
    while (!_free.empty() && ring.Available() > 0 &&
           (ring.Available() >= kBufferFrames || ring.Space() < kBufferFrames / 2 || ring.Ended())) {
        const unsigned char* frames = nullptr;
        int count = std::min(ring.Peek(&frames), kBufferFrames);
        ALuint id = _free.back();
        _free.pop_back();
        alBufferData(id, _alFormat, frames, count * _bpf, _hertz);  // OpenAL copies them
        ring.Drop(count);
        alSourceQueueBuffers(_source, 1, &id);
    }
    ALint state = AL_STOPPED;
    alGetSourcei(_source, AL_SOURCE_STATE, &state);
    if (ring.Drained() && Queued() == 0) {
        _finished = true;
        _playing = false;
    } else if (_playing && state != AL_PLAYING && Queued() > 0) {
        alSourcePlay(_source);  // started before the first frames came, or ran dry
    }
}

}  // namespace vellum
