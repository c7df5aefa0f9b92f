#pragma once
// A mixer device that plays into memory: nothing is mixed until its owner
// asks for frames, so tests get the stream sample for sample, and a
// benchmark can time the mixing alone.

#include <vector>

#include "mixer/mixer_device.h"

namespace vellum {

class TMixerMemoryDevice : public TMixerDevice {
public:
    // fragmentValues: sample values mixed per Mix call. draining: whether
    // the owner renders on a thread of its own while the program posts.
    explicit TMixerMemoryDevice(int fragmentValues = 1024, bool draining = false);

    int FragmentValues() const override { return _fragment; }
    bool Open(TMixerSource* source) override;
    void Close() override;
    bool Draining() const override { return _draining && _source; }

    // Mixes the next frames frames, left and right interleaved; empty
    // while the device is closed. One thread at a time.
    std::vector<std::int16_t> Render(int frames);

private:
    int _fragment;
    bool _draining;
    TMixerSource* _source = nullptr;
};

}  // namespace vellum
