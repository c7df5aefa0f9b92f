#include "streaming/stream_feed.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <set>

#include "audio/audio_sample.h"
#include "sample/sample_convert.h"

namespace vellum {

namespace {

// Frames decoded at a time: a short wait for whoever stops the thread.
constexpr int kPieceFrames = 1024;
// How often the thread looks at its ring when nobody wakes it.
constexpr auto kRound = std::chrono::milliseconds(5);

struct FeedRegistry {
    std::mutex mutex;
    std::set<TStreamRing*> rings;  // of live feeds
    int running = 0;
};

FeedRegistry& Registry() {
    static auto* registry = new FeedRegistry;  // threads may end during exit
    return *registry;
}

}  // namespace

TStreamRing::TStreamRing(int format, int frames)
    : _format(format),
      _bpf(SampleBytesPerFrame(format)),
      _bytes(static_cast<size_t>(frames) * static_cast<size_t>(_bpf)) {}

int TStreamRing::Available() const { return static_cast<int>(_bytes.Available() / static_cast<size_t>(_bpf)); }

bool TStreamRing::Drained() const { return Ended() && Available() == 0; }

int TStreamRing::Space() const { return static_cast<int>(_bytes.Space() / static_cast<size_t>(_bpf)); }

int TStreamRing::Pull(unsigned char* out, int frames) {
    size_t bytes = static_cast<size_t>(std::min(frames, Available())) * static_cast<size_t>(_bpf);
    return static_cast<int>(_bytes.Pull(out, bytes) / static_cast<size_t>(_bpf));
}

int TStreamRing::Peek(const unsigned char** frames) const {
    return static_cast<int>(_bytes.Peek(frames) / static_cast<size_t>(_bpf));
}

void TStreamRing::Drop(int frames) { _bytes.Drop(static_cast<size_t>(frames) * static_cast<size_t>(_bpf)); }

void TStreamRing::Push(const unsigned char* frames, int count) {
    _bytes.Push(frames, static_cast<size_t>(count) * static_cast<size_t>(_bpf));
}

TStreamFeed::TStreamFeed(std::shared_ptr<TAudioStream> stream, int format, int ringFrames,
                         std::function<void(TStreamRing&)> service)
    : _stream(std::move(stream)),
      _ring(std::make_shared<TStreamRing>(format, ringFrames)),
      _service(std::move(service)) {
    {
        std::lock_guard lock(Registry().mutex);
        Registry().rings.insert(_ring.get());
        ++Registry().running;
    }
    _thread = std::thread([this] { Run(); });
}

TStreamFeed::~TStreamFeed() {
    {
        std::lock_guard lock(_mutex);
        _stop = true;
    }
    _wake.notify_one();
    _thread.join();
    std::lock_guard lock(Registry().mutex);
    Registry().rings.erase(_ring.get());
}

void TStreamFeed::Wake() {
    {
        std::lock_guard lock(_mutex);
        _woken = true;
    }
    _wake.notify_one();
}

void TStreamFeed::Run() {
    std::unique_ptr<TAudioDecoder> decoder = _stream->TakeDecoder();
    if (!decoder) _ring->End();
    std::vector<unsigned char> piece, converted;
    std::unique_lock lock(_mutex);
    while (!_stop) {
        _woken = false;
        lock.unlock();
        if (decoder && !_ring->Ended()) Fill(*decoder, piece, converted);
        if (_service) _service(*_ring);
        lock.lock();
        _wake.wait_for(lock, kRound, [this] { return _stop || _woken; });
    }
    lock.unlock();
    if (decoder && !_damaged) _stream->GiveBack(std::move(decoder));
    decoder.reset();
    std::lock_guard registry(Registry().mutex);
    --Registry().running;
}

void TStreamFeed::Fill(TAudioDecoder& decoder, std::vector<unsigned char>& piece,
                       std::vector<unsigned char>& converted) {
    const int from = decoder.Format();
    const int to = _ring->Format();
    piece.resize(static_cast<size_t>(kPieceFrames) * SampleBytesPerFrame(from));
    if (from != to) converted.resize(static_cast<size_t>(kPieceFrames) * SampleBytesPerFrame(to));
    bool fresh = false;  // nothing came since the last rewind: an empty loop must not spin
    try {
        while (_ring->Space() >= kPieceFrames) {
            int n = decoder.Read(piece.data(), kPieceFrames);
            if (n > 0) {
                fresh = false;
                const unsigned char* frames = piece.data();
                if (from != to) {
                    ConvertSampleFrames(piece.data(), from, converted.data(), to, n);
                    frames = converted.data();
                }
                _ring->Push(frames, n);
                continue;
            }
            if (n == 0 && _stream->Loop() && !fresh && decoder.Rewind()) {
                fresh = true;
                continue;
            }
            _damaged = n < 0;
            _ring->End();
            return;
        }
    } catch (...) {
        // A stream error or a file that went away: the sound just ends.
        _damaged = true;
        _ring->End();
    }
}

int StreamThreadsRunning() {
    std::lock_guard lock(Registry().mutex);
    return Registry().running;
}

bool StreamFeedsSettled() {
    std::lock_guard lock(Registry().mutex);
    for (TStreamRing* ring : Registry().rings)
        if (!ring->Ended() && ring->Space() >= kPieceFrames) return false;
    return true;
}

}  // namespace vellum
