#include "mixer/mixer_engine.h"

#include <algorithm>

namespace vellum {

namespace {

bool Sounding(const TMixerVoice& voice) {
    return voice.sound && (voice.status & MIXER_ACTIVE) && !(voice.status & (MIXER_DONE | MIXER_PAUSED));
}

// Nothing more will come of the voice: stopped, reset or played out.
bool Over(const TMixerVoice& voice) { return voice.status == 0 || (voice.status & MIXER_DONE); }

}  // namespace

TMixerEngine::TMixerEngine(int chunkValues)
    : _voices(MIXER_SLOTS), _accum(static_cast<size_t>(std::max(2, chunkValues & ~1))) {}

TMixerEngine::~TMixerEngine() = default;

void TMixerEngine::Mix(std::int16_t* out, int values) {
    TMixerRequest request;
    while (_requests.Pop(&request)) Apply(request);

    const int chunkFrames = static_cast<int>(_accum.size() / 2);
    for (int frames = values / 2; frames > 0;) {
        const int n = std::min(frames, chunkFrames);
        std::fill_n(_accum.begin(), 2 * n, 0);
        for (auto& voice : _voices)
            if (Sounding(voice)) MixVoice(voice, _accum.data(), n);
        for (int i = 0; i < 2 * n; ++i) *out++ = static_cast<std::int16_t>(std::clamp(_accum[i], -32768, 32767));
        frames -= n;
    }
    if (values & 1) *out = 0;
    Publish();
}

void TMixerEngine::Apply(TMixerRequest& request) {
    TMixerVoice& voice = _voices[request.slot];
    switch (request.op) {
        case TMixerOp::Reset:
            DropVoiceSound(voice);
            voice = TMixerVoice{};
            break;
        case TMixerOp::Play:
            voice.sound = std::move(request.sound);
            voice.stream = std::move(request.stream);
            voice.streamPosition = 0;
            voice.windowStart = 0;
            voice.windowCount = 0;
            voice.position = 0;
            voice.status = MIXER_ACTIVE | (voice.sound->loop ? MIXER_LOOP : 0) | (request.value ? MIXER_PAUSED : 0);
            voice.temporary = voice.temporary || request.temporary;
            break;
        case TMixerOp::Stop:
            DropVoiceSound(voice);
            voice.position = 0;
            voice.status = 0;
            break;
        case TMixerOp::Pause:
            if (voice.status) voice.status = request.value ? voice.status | MIXER_PAUSED : voice.status & ~MIXER_PAUSED;
            break;
        case TMixerOp::Volume: voice.volume = request.value; break;
        case TMixerOp::Pan: voice.pan = request.value; break;
        case TMixerOp::Depth: voice.depth = request.value; break;
        case TMixerOp::Rate: voice.rate = request.value; break;
        case TMixerOp::Detach: voice.temporary = true; break;
    }
    voice.handle = request.handle;
    voice.seq = request.seq;
    voice.noticed = false;
    voice.dirty = true;
}

void TMixerEngine::Publish() {
    for (int slot = 1; slot < MIXER_SLOTS; ++slot) {
        TMixerVoice& voice = _voices[slot];
        if (voice.dirty || Sounding(voice)) {
            auto frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(voice.position >> 16, 0x7FFFFFFF));
            _reports[slot].store(PackMixerReport(frames, voice.seq, voice.status), std::memory_order_release);
            voice.dirty = false;
        }
        // A full ring only delays the notice to a later pass.
        if (voice.temporary && !voice.noticed && Over(voice) && _notices.Push({voice.handle, voice.seq}))
            voice.noticed = true;
    }
}

}  // namespace vellum
