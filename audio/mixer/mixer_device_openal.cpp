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
// reach the next block edge, and ends when it has not moved for 1000 ms or
// OpenAL fails.

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "openal/al_output_openal.h"
#include "audio/al_name.h"
#include "audio/mixer_device.h"

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
        for (auto& buffer : _buffers) buffer = TAlName::Make(TAlName::BUFFER, _output);
        if (!_source || !std::all_of(std::begin(_buffers), std::end(_buffers), [](auto& b) { return bool(b); })) {
            Release();
            return false;
        }
        {
            TAlContextScope scope(*_output);
            // The stream is already mixed: each channel straight to its speaker.
            if (alIsExtensionPresent("AL_SOFT_direct_channels")) alSourcei(_source.Id(), AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
            alSourcei(_source.Id(), AL_SOURCE_RELATIVE, AL_TRUE);
        }
        ALCdevice* device = alcGetContextsDevice(_output->Context());
        _setThreadContext = alcIsExtensionPresent(device, "ALC_EXT_thread_local_context")
                                ? reinterpret_cast<PFNALCSETTHREADCONTEXTPROC>(
                                      alcGetProcAddress(device, "alcSetThreadContext"))
                                : nullptr;
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
            alSourceStop(_source.Id());
            alSourcei(_source.Id(), AL_BUFFER, 0);
        }
        Release();
    }

    bool Draining() const override { return _output && !_finished.load(std::memory_order_acquire); }

private:
    // Deletes the source and buffers, then closes the device.
    void Release() {
        _source.Reset();
        for (auto& buffer : _buffers) buffer.Reset();
        _output->Close();
        _output.reset();
    }

    void Run() {
        if (_setThreadContext)
            _setThreadContext(_output->Context());
        else
            alcMakeContextCurrent(_output->Context());
        const ALuint source = _source.Id();
        std::vector<std::int16_t> block(kBlockValues);
        std::int64_t written = 0;  // bytes queued since the start
        std::int64_t played = 0;   // bytes of the buffers played out and taken back
        std::int64_t lastPlay = -1;
        Clock::time_point lastMove = Clock::now();
        while (_running.load(std::memory_order_acquire)) {
            ALint processed = 0;
            alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
            for (; processed > 0; --processed) {
                ALuint id = 0;
                alSourceUnqueueBuffers(source, 1, &id);
                played += kBlockBytes;
            }
            ALint offset = 0;
            alGetSourcei(source, AL_BYTE_OFFSET, &offset);
            const std::int64_t play = played + offset;
            const std::int64_t blocks = std::min<std::int64_t>((play + 2 * kBlockBytes - written) / kBlockBytes, 2);
            if (blocks >= 1) {
                alGetError();
                for (std::int64_t b = 0; b < blocks; ++b) {
                    ALuint id = _buffers[(written / kBlockBytes) % kBlocks].Id();
                    _mixer->Mix(block.data(), kBlockValues);
                    alBufferData(id, AL_FORMAT_STEREO16, block.data(), kBlockBytes, MIXER_HERTZ);
                    alSourceQueueBuffers(source, 1, &id);
                    written += kBlockBytes;
                }
                if (alGetError() != AL_NO_ERROR) break;
                // It stops by itself when it runs dry; start it again.
                ALint state = AL_STOPPED;
                alGetSourcei(source, AL_SOURCE_STATE, &state);
                if (state != AL_PLAYING) alSourcePlay(source);
            }
            Clock::time_point now = Clock::now();
            if (play != lastPlay) {
                lastPlay = play;
                lastMove = now;
            } else if (now - lastMove > std::chrono::milliseconds(1000)) {
                break;
            }
            // Until the play position should cross the next block edge.
            std::int64_t toEdge = kBlockBytes - play % kBlockBytes;
            auto wait = std::clamp<std::int64_t>(toEdge * 1000 / kBytesPerSecond + 1, 1, 50);
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
        _finished.store(true, std::memory_order_release);
        alSourceStop(source);
        if (_setThreadContext) _setThreadContext(nullptr);
    }

    std::shared_ptr<TAlOutput> _output;
    TAlName _source;
    TAlName _buffers[kBlocks];
    PFNALCSETTHREADCONTEXTPROC _setThreadContext = nullptr;
    TMixerSource* _mixer = nullptr;
    std::atomic<bool> _running{false};
    std::atomic<bool> _finished{false};
    std::thread _thread;
};

}  // namespace

std::shared_ptr<TMixerDevice> CreateDirectSoundMixerDevice() { return std::make_shared<TAlStreamMixerDevice>(); }

bool DirectSoundMixerDeviceAvailable() { return TAlOutput::Open({nullptr}) != nullptr; }

}  // namespace vellum
