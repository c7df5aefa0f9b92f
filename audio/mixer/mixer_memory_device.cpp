#include "mixer/mixer_memory_device.h"

#include <algorithm>

namespace vellum {

TMixerMemoryDevice::TMixerMemoryDevice(int fragmentValues, bool draining)
    : _fragment(std::max(2, fragmentValues & ~1)), _draining(draining) {}

bool TMixerMemoryDevice::Open(TMixerSource* source) {
    _source = source;
    return source != nullptr;
}

void TMixerMemoryDevice::Close() { _source = nullptr; }

std::vector<std::int16_t> TMixerMemoryDevice::Render(int frames) {
    std::vector<std::int16_t> out;
    if (!_source || frames <= 0) return out;
    out.resize(static_cast<size_t>(frames) * 2);
    for (size_t done = 0; done < out.size();) {
        int values = static_cast<int>(std::min<size_t>(static_cast<size_t>(_fragment), out.size() - done));
        _source->Mix(out.data() + done, values);
        done += static_cast<size_t>(values);
    }
    return out;
}

}  // namespace vellum
