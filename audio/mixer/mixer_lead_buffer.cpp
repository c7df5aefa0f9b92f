#include "mixer/mixer_lead_buffer.h"

#include <algorithm>

namespace vellum {

TMixerLeadBuffer::TMixerLeadBuffer(TMixerSource* source, int fragmentValues)
    : _source(source),
      _fragment(std::max(2, fragmentValues & ~1)),
      _ring(static_cast<size_t>(_fragment) * kFragments) {}

void TMixerLeadBuffer::Pull(std::int16_t* out, int values, std::int64_t elapsedValues) {
    if (elapsedValues >= 0 && _silence == 0 && elapsedValues > _lastHanded + 2 * _fragment) Restart();
    _lastHanded = values;
    while (values > 0) {
        if (_silence > 0) {
            int n = static_cast<int>(std::min<std::int64_t>(values, _silence));
            std::fill_n(out, n, 0);
            _silence -= n;
            out += n;
            values -= n;
            continue;
        }
        // A few fragments at a time keep the lead and the piece inside the ring.
        int n = std::min(values, 4 * _fragment);
        Take(out, n);
        out += n;
        values -= n;
    }
}

void TMixerLeadBuffer::Restart() {
    _silence = kRestartValues;
    std::fill(_ring.begin(), _ring.end(), 0);
    if (_lead <= 9) _lead += 2;
    // Play starts again at the ring's head; what lies before the write
    // counter is the zeroed ring.
    _position = 0;
    _written = static_cast<std::int64_t>(_lead) * _fragment * 2;
}

void TMixerLeadBuffer::Take(std::int16_t* out, int values) {
    const auto ring = static_cast<std::int64_t>(_ring.size());
    while (_written < _position + values + static_cast<std::int64_t>(_lead) * _fragment) {
        std::int64_t fragment = (_written / _fragment) & (kFragments - 1);
        _source->Mix(_ring.data() + fragment * _fragment, _fragment);
        _written += _fragment;
    }
    for (int done = 0; done < values;) {
        std::int64_t at = _position % ring;
        int n = static_cast<int>(std::min<std::int64_t>(values - done, ring - at));
        std::copy_n(_ring.begin() + at, n, out + done);
        done += n;
        _position += n;
    }
}

}  // namespace vellum
