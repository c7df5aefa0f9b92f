#include "mixer/mixer.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <thread>
#include <unordered_map>

#include "audio/audio_sample.h"
#include "mixer/mixer_engine.h"
#include "mixer/mixer_slots.h"
#include "sample/audio_stream.h"

namespace vellum {

namespace {

// How long a request waits for room in a full ring while the device drains it.
constexpr int kRingWaitMs = 500;
// A streamed voice's ring (about 186 ms at 44.1 kHz) and the window of it
// that the mixing thread works in.
constexpr int kStreamRingFrames = 8192;
constexpr int kStreamWindowFrames = 512;

struct MixerState {
    std::shared_ptr<TMixerDevice> device;  // set while open
    std::unique_ptr<TMixerEngine> engine;  // set while open
    TMixerSlots slots;
    std::unordered_map<int, TMixerSoundRef> sounds;  // outlive open and close
    int lastSound = 0;
    int dropped = 0;
};

MixerState& State() {
    // Never destroyed: sounds may be freed by destructors that run at exit.
    static auto* state = new MixerState;
    return *state;
}

int IndexOf(int handle) { return handle & MIXER_SLOT_MASK; }

bool Sounding(int status) { return (status & MIXER_ACTIVE) && !(status & (MIXER_DONE | MIXER_PAUSED)); }

// The published word describes the voice once the mixer has applied every
// request the program posted for it; until then the program's own idea of
// the status stands.
int CurrentStatus(const MixerState& s, int index, const TMixerSlot& slot) {
    std::uint64_t word = s.engine->Report(index);
    return MixerReportSeq(word) == (slot.seq & 0xFFFFFFu) ? MixerReportStatus(word) : slot.status;
}

int CurrentPosition(const MixerState& s, int index, const TMixerSlot& slot) {
    std::uint64_t word = s.engine->Report(index);
    return MixerReportSeq(word) == (slot.seq & 0xFFFFFFu) ? static_cast<int>(MixerReportPosition(word))
                                                           : slot.position;
}

// Frees the temporary slots whose voices the mixer reported over, unless the
// program has asked something of them since.
void Reap(MixerState& s) {
    if (!s.engine) return;
    TMixerNotice notice;
    while (s.engine->TakeNotice(&notice)) {
        TMixerSlot* slot = s.slots.Find(notice.handle);
        if (slot && slot->temporary && slot->seq == notice.seq) s.slots.Free(IndexOf(notice.handle));
    }
}

// Queues request for slot; false (and counted) when the ring stays full.
bool Post(MixerState& s, TMixerSlot& slot, TMixerRequest request) {
    request.seq = slot.seq + 1;
    bool posted = s.engine->Post(request);
    for (int waited = 0; !posted && waited < kRingWaitMs && s.device->Draining(); ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        posted = s.engine->Post(request);
    }
    if (!posted) {
        ++s.dropped;
        return false;
    }
    slot.seq = request.seq;
    return true;
}

// Posts a parameter change that leaves the status as it is.
int Change(int handle, TMixerOp op, int value) {
    auto& s = State();
    Reap(s);
    TMixerSlot* slot = s.slots.Find(handle);
    if (!slot) return 0;
    int index = IndexOf(handle);
    int status = CurrentStatus(s, index, *slot);
    int position = CurrentPosition(s, index, *slot);
    if (!Post(s, *slot, {op, false, index, handle, value, 0, nullptr, nullptr})) return 0;
    if (op == TMixerOp::Pause && status) status = value ? status | MIXER_PAUSED : status & ~MIXER_PAUSED;
    slot->status = status;
    slot->position = position;
    return 1;
}

// value * scale truncated toward zero into lo..hi; NaN counts as 0.
int Fixed(float value, double scale, double lo, double hi) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(std::trunc(static_cast<double>(value) * scale), lo, hi));
}

}  // namespace

int MixerOpen(std::shared_ptr<TMixerDevice> device) {
    MixerClose();
    if (!device) return -1;
    auto& s = State();
    s.slots.Reset();
    s.engine = std::make_unique<TMixerEngine>(device->FragmentValues());
    if (!device->Open(s.engine.get())) {
        s.engine.reset();
        return -1;
    }
    s.device = std::move(device);
    return 0;
}

void MixerClose() {
    auto& s = State();
    if (!s.device) return;
    s.device->Close();  // no Mix call runs after this
    s.device.reset();
    s.engine.reset();
    s.slots.Reset();
}

int MixerIsOpen() { return State().device ? 1 : 0; }

int MixerWaitingForOutput() { return State().device && State().device->Waiting() ? 1 : 0; }

namespace {

int AddSound(TMixerSoundRef data) {
    auto& s = State();
    do {
        if (++s.lastSound <= 0) s.lastSound = 1;
    } while (s.sounds.count(s.lastSound));
    s.sounds[s.lastSound] = std::move(data);
    return s.lastSound;
}

// A feed decoding a streamed sound for one voice, into 16-bit frames.
std::unique_ptr<TStreamFeed> FeedFor(const TMixerSoundData& data) {
    int format = data.channels == 2 ? SF_STEREO16LE : SF_MONO16LE;
    auto feed = std::make_unique<TStreamFeed>(data.stream, format, kStreamRingFrames);
    feed->Ring()->scratch.resize(static_cast<size_t>(kStreamWindowFrames) * static_cast<size_t>(data.channels));
    return feed;
}

}  // namespace

int MixerCreateSound(int length, int bits, int channels, int hertz, const void* samples, int loop) {
    TMixerSoundRef data = NewMixerSoundData(length, bits, channels, hertz, samples, loop != 0);
    return data ? AddSound(std::move(data)) : 0;
}

int MixerCreateStreamSound(std::shared_ptr<TAudioStream> stream) {
    if (!stream || SampleChannels(stream->Format()) == 0) return 0;
    return AddSound(NewMixerStreamData(std::move(stream)));
}

void MixerFreeSound(int sound) {
    auto& s = State();
    s.sounds.erase(sound);
}

int MixerAllocChannel() {
    auto& s = State();
    Reap(s);
    if (!s.engine) return 0;
    int handle = s.slots.Alloc();
    if (!handle) return 0;
    // The voice may still hold what a freed channel left behind.
    if (!Post(s, *s.slots.Find(handle), {TMixerOp::Reset, false, IndexOf(handle), handle, 0, 0, nullptr, nullptr})) {
        s.slots.Free(IndexOf(handle));
        return 0;
    }
    return handle;
}

void MixerFreeChannel(int handle) {
    auto& s = State();
    Reap(s);
    TMixerSlot* slot = s.slots.Find(handle);
    if (!slot) return;
    int index = IndexOf(handle);
    if (Sounding(CurrentStatus(s, index, *slot)) &&
        Post(s, *slot, {TMixerOp::Detach, false, index, handle, 0, 0, nullptr, nullptr})) {
        slot->temporary = true;
        return;
    }
    Post(s, *slot, {TMixerOp::Reset, false, index, handle, 0, 0, nullptr, nullptr});
    s.slots.Free(index);
}

int MixerPlaySound(int sound, int cue, int handle) {
    auto& s = State();
    Reap(s);
    auto it = s.sounds.find(sound);
    if (!s.engine || it == s.sounds.end()) return 0;
    bool temporary = handle == 0;
    if (temporary && !(handle = MixerAllocChannel())) return 0;
    TMixerSlot* slot = s.slots.Find(handle);
    if (!slot) return 0;
    const TMixerSoundRef& data = it->second;
    std::unique_ptr<TStreamFeed> feed = data->stream ? FeedFor(*data) : nullptr;
    // The request holds a reference of its own, which the voice takes over.
    if (!Post(s, *slot, {TMixerOp::Play, temporary, IndexOf(handle), handle, cue ? 1 : 0, 0, data,
                         feed ? feed->Ring() : nullptr})) {
        if (temporary) s.slots.Free(IndexOf(handle));
        return 0;
    }
    slot->feed = std::move(feed);  // the voice that played before lets go of its own
    if (temporary) slot->temporary = true;
    slot->status = MIXER_ACTIVE | (data->loop ? MIXER_LOOP : 0) | (cue ? MIXER_PAUSED : 0);
    slot->position = 0;
    return handle;
}

void MixerStopChannel(int handle) {
    auto& s = State();
    Reap(s);
    TMixerSlot* slot = s.slots.Find(handle);
    if (!slot) return;
    Post(s, *slot, {TMixerOp::Stop, false, IndexOf(handle), handle, 0, 0, nullptr, nullptr});
    slot->status = 0;
    slot->position = 0;
    slot->feed.reset();
    if (slot->temporary) s.slots.Free(IndexOf(handle));
}

int MixerSetPaused(int handle, int paused) { return Change(handle, TMixerOp::Pause, paused ? 1 : 0); }

int MixerSetVolume(int handle, float value) { return Change(handle, TMixerOp::Volume, Fixed(value, 4096, 0, 32767)); }

int MixerSetPan(int handle, float value) { return Change(handle, TMixerOp::Pan, Fixed(value, 4096, -32768, 32767)); }

int MixerSetDepth(int handle, float value) {
    return Change(handle, TMixerOp::Depth, Fixed(value, 4096, -32768, 32767));
}

int MixerSetRate(int handle, float value) { return Change(handle, TMixerOp::Rate, Fixed(value, 65536, 0, INT_MAX)); }

int MixerChannelStatus(int handle) {
    auto& s = State();
    Reap(s);
    TMixerSlot* slot = s.slots.Find(handle);
    return slot ? CurrentStatus(s, IndexOf(handle), *slot) : 0;
}

int MixerChannelPosition(int handle) {
    auto& s = State();
    Reap(s);
    TMixerSlot* slot = s.slots.Find(handle);
    return slot ? CurrentPosition(s, IndexOf(handle), *slot) : 0;
}

int MixerDroppedRequests() { return State().dropped; }

}  // namespace vellum
