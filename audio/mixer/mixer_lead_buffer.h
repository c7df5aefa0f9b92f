#pragma once
// The fragment, lead and restart logic of the Multimedia device, for a
// device that pulls. The mixer writes whole fragments into a ring of 32
// fragments, running `lead` fragments ahead of what the device has taken
// (its play position), and the device takes from the ring. When the device
// comes back for data more than two fragments after what it was last given
// ran out, it has played a gap: the output then goes silent for 1.25 s,
// the ring is zeroed and the lead grows by 2 fragments while it is at most
// 9 (6, 8, 10).

#include <cstdint>
#include <vector>

#include "mixer/mixer_device.h"

namespace vellum {

class TMixerLeadBuffer {
public:
    static constexpr int kFragments = 32;
    static constexpr int kFirstLead = 6;
    static constexpr int kRestartValues = MIXER_HERTZ * MIXER_CHANNELS * 5 / 4;  // 1.25 s

    TMixerLeadBuffer(TMixerSource* source, int fragmentValues);

    // Fills out with values sample values. elapsedValues is the time since
    // the previous Pull in sample values of output (-1 when unknown).
    void Pull(std::int16_t* out, int values, std::int64_t elapsedValues);

    // Fragments the mixing runs ahead of the play position.
    int Lead() const { return _lead; }
    // Sample values of restart silence still to come.
    std::int64_t SilenceLeft() const { return _silence; }

private:
    void Restart();
    // Tops the ring up to the lead past position + values, then copies out.
    void Take(std::int16_t* out, int values);

    TMixerSource* _source;
    int _fragment;
    std::vector<std::int16_t> _ring;
    // Sample values since the last restart; 64 bits never wrap, so the
    // counters need no periodic reset.
    std::int64_t _position = 0;
    std::int64_t _written = 0;
    int _lead = kFirstLead;
    std::int64_t _silence = 0;
    std::int64_t _lastHanded = 0;
};

}  // namespace vellum
