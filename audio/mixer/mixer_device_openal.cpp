// The mixer's "DirectSound" device over an OpenAL streaming source. The
// device's design is a looping 32768-byte buffer refilled in 8192-byte
// blocks when notified at each block edge. Here the four blocks are four
// OpenAL buffers queued on one source in turn; the absolute play position
// is the bytes of the buffers played out plus the offset into the current
// one (counting finished buffers replaces counting cursor wraps), and the
// mixing thread keeps the block arithmetic: blocks to fill =
// (play + 2 * 8192 - written) / 8192, at most 2, so the written data runs
// two blocks (about 93 ms) ahead of the play position. OpenAL has no
// notification event; the thread sleeps until the play position should
// reach the next block edge.
//
// A play position that stands still does not end the thread (a process
// stopped for a while, a debugger break): the device only goes when the
// output does. Then the output's watch (TAlOutput) opens the device again,
// and until it has, the thread keeps the mixer going on its own clock,
// mixing into nothing; on the new device it makes its source and buffers
// again and goes on.

#include <AL/al.h>
#include <AL/alext.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <memory>
#include <vector>

#include "al/al_name.h"
#include "al/al_queue_openal.h"
#include "mixer/mixer_device.h"

namespace vellum {

namespace {

constexpr int kBlockBytes = 8192;
constexpr int kBlocks = 4;  // 32768 bytes in all
constexpr int kBlockValues = kBlockBytes / 2;
constexpr int kBytesPerSecond = MIXER_HERTZ * MIXER_CHANNELS * 2;
// The mixer mixes at most this many sample values in one pass.
constexpr int kMixValues = 12288;

using Clock = std::chrono::steady_clock;

class TAlStreamMixerDevice : public TMixerDevice {
public:
    ~TAlStreamMixerDevice() override { TAlStreamMixerDevice::Close(); }

    int FragmentValues() const override { return kMixValues; }

    bool Open(TMixerSource* source) override {
        Close();
        _output = TAlOutput::Open({nullptr});
        if (!_output) return false;
        _source = TAlName::Make(TAlName::SOURCE, _output);
        if (_source) _queue = std::make_unique<TAlQueue>(_output, _source.Id(), kBlocks);
        if (!_source || !_queue->Complete()) {
            Release();
            return false;
        }
        {
            TAlContextScope scope(*_output);
            // The stream is already mixed: each channel straight to its speaker.
            if (alIsExtensionPresent("AL_SOFT_direct_channels")) alSourcei(_source.Id(), AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
            alSourcei(_source.Id(), AL_SOURCE_RELATIVE, AL_TRUE);
        }
        _output->Watch();
        _mixer = source;
        _finished.store(false, std::memory_order_relaxed);
        _running.store(true, std::memory_order_relaxed);
        _thread = std::thread([this] { Run(); });
        return true;
    }

    void Close() override {
        if (!_output) return;
        _running.store(false, std::memory_order_release);
        // Joined, not abandoned after a time-out: the thread uses the source.
        if (_thread.joinable()) _thread.join();
        {
            TAlContextScope scope(*_output);
            _queue->Clear();
        }
        Release();
    }

    bool Waiting() const override { return _output && _output->Lost(); }
    bool Draining() const override { return _output && !_finished.load(std::memory_order_acquire); }

private:
    // Deletes the source and buffers, then closes the device.
    void Release() {
        _queue.reset();
        _source.Reset();
        _output->Close();
        _output.reset();
    }

    void Run() {
        Pump();
        _finished.store(true, std::memory_order_release);
    }

    // On this thread, with the output's new context current.
    bool Remake() {
        _source = TAlName::Make(TAlName::SOURCE, _output);
        if (!_source) return false;
        _queue = std::make_unique<TAlQueue>(_output, _source.Id(), kBlocks);
        // The stream is already mixed: each channel straight to its speaker.
        if (alIsExtensionPresent("AL_SOFT_direct_channels")) alSourcei(_source.Id(), AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcei(_source.Id(), AL_SOURCE_RELATIVE, AL_TRUE);
        return _queue->Complete();
    }

    void Pump() {
        std::vector<std::int16_t> block(kBlockValues);
        std::int64_t written = 0;  // bytes queued since the start
        std::int64_t played = 0;   // bytes of the buffers played out and taken back
        unsigned generation = _output->Generation();
        bool made = true;
        Clock::time_point last = Clock::now();
        while (_running.load(std::memory_order_acquire)) {
            Clock::time_point now = Clock::now();
            std::chrono::duration<double> since = now - last;
            last = now;
            if (_output->Lost()) {
                // What the time since the last round would have played, at
                // most 100 ms: a process that was stopped does not catch up.
                int values = static_cast<int>(std::min(since.count(), 0.1) * MIXER_HERTZ) * MIXER_CHANNELS;
                for (int done = 0; done < values; done += kBlockValues)
                    _mixer->Mix(block.data(), std::min(kBlockValues, values - done));
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            TAlThreadScope scope(*_output);
            if (!scope.Open()) {  // the output is busy: the next round
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            if (_output->Generation() != generation) {
                generation = _output->Generation();
                made = Remake();
                written = played = 0;
            }
            if (!made) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            played += static_cast<std::int64_t>(_queue->Reclaim()) * kBlockBytes;
            ALint offset = 0;
            alGetSourcei(_source.Id(), AL_BYTE_OFFSET, &offset);
            const std::int64_t play = played + offset;
            const std::int64_t blocks = std::min<std::int64_t>((play + 2 * kBlockBytes - written) / kBlockBytes, 2);
            for (std::int64_t b = 0; b < blocks; ++b) {
                _mixer->Mix(block.data(), kBlockValues);
                if (!_queue->Queue(AL_FORMAT_STEREO16, block.data(), kBlockBytes, MIXER_HERTZ)) break;
                written += kBlockBytes;
            }
            if (blocks >= 1) _queue->KeepPlaying();  // it stops by itself when it runs dry
            // Until the play position should cross the next block edge.
            std::int64_t toEdge = kBlockBytes - play % kBlockBytes;
            auto wait = std::clamp<std::int64_t>(toEdge * 1000 / kBytesPerSecond + 1, 1, 50);
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
        TAlThreadScope scope(*_output);
        if (scope.Open()) alSourceStop(_source.Id());
    }

    std::shared_ptr<TAlOutput> _output;
    TAlName _source;
    std::unique_ptr<TAlQueue> _queue;
    TMixerSource* _mixer = nullptr;
    std::atomic<bool> _running{false};
    std::atomic<bool> _finished{false};
    std::thread _thread;
};

}  // namespace

std::shared_ptr<TMixerDevice> CreateDirectSoundMixerDevice() { return std::make_shared<TAlStreamMixerDevice>(); }

bool DirectSoundMixerDeviceAvailable() { return TAlOutput::Open({nullptr}) != nullptr; }

}  // namespace vellum
