#pragma once
// The mixing side of the mixer: 4096 voices, fed by the request ring from
// the program thread and mixed on the device's thread. Each Mix call first
// applies the waiting requests, then mixes, then publishes one status word
// per changed slot and tells the program which temporary channels are over.

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "driver/spsc_ring.h"
#include "mixer/mixer.h"
#include "mixer/mixer_voice.h"

namespace vellum {

enum class TMixerOp : std::uint8_t { Reset, Play, Stop, Pause, Volume, Pan, Depth, Rate, Detach };

// One change to one voice. seq numbers a slot's requests, so the program
// can tell whether a status word already reflects all it asked for.
struct TMixerRequest {
    TMixerOp op = TMixerOp::Reset;
    bool temporary = false;  // Play: the slot frees itself once the voice is over
    int slot = 0;
    int handle = 0;
    int value = 0;  // Play: cue flag; Pause: paused flag; else the fixed-point value
    std::uint32_t seq = 0;
    TMixerSoundRef sound;  // Play: a reference the voice takes over
    std::shared_ptr<TStreamRing> stream;  // Play: a streamed sound's frames
};

// A temporary channel whose voice is over, as of request seq.
struct TMixerNotice {
    int handle = 0;
    std::uint32_t seq = 0;
};

// A slot's status word: position (32 bits), low 24 bits of seq, status (8 bits).
inline std::uint64_t PackMixerReport(std::uint32_t position, std::uint32_t seq, int status) {
    return static_cast<std::uint64_t>(position) << 32 | (seq & 0xFFFFFFu) << 8 | static_cast<std::uint32_t>(status & 0xFF);
}
inline int MixerReportStatus(std::uint64_t word) { return static_cast<int>(word & 0xFF); }
inline std::uint32_t MixerReportSeq(std::uint64_t word) { return static_cast<std::uint32_t>(word >> 8) & 0xFFFFFFu; }
inline std::uint32_t MixerReportPosition(std::uint64_t word) { return static_cast<std::uint32_t>(word >> 32); }

class TMixerEngine : public TMixerSource {
public:
    static constexpr std::uint32_t kRingSize = 4096;

    // chunkValues: the most sample values mixed in one pass (the device's fragment).
    explicit TMixerEngine(int chunkValues);
    // Lets go of every sound held by a voice or a request still waiting.
    ~TMixerEngine() override;
    TMixerEngine(const TMixerEngine&) = delete;
    TMixerEngine& operator=(const TMixerEngine&) = delete;

    // Program side: queues a request; false when the ring is full.
    bool Post(const TMixerRequest& request) { return _requests.Push(request); }
    // Program side: the next notice of a finished temporary channel.
    bool TakeNotice(TMixerNotice* notice) { return _notices.Pop(notice); }
    // Program side: the last status word published for slot.
    std::uint64_t Report(int slot) const { return _reports[slot].load(std::memory_order_acquire); }

    // Mixing side: applies requests, mixes values sample values into out.
    void Mix(std::int16_t* out, int values) override;

private:
    void Apply(TMixerRequest& request);
    void Publish();

    TSpscRing<TMixerRequest> _requests{kRingSize};
    TSpscRing<TMixerNotice> _notices{kRingSize};
    std::array<std::atomic<std::uint64_t>, MIXER_SLOTS> _reports{};
    std::vector<TMixerVoice> _voices;   // mixing side only
    std::vector<std::int32_t> _accum;   // mixing side only
};

}  // namespace vellum
