#include "audio/audio_sample.h"

#include <climits>
#include <cstring>

#include "sample/sample_convert.h"
#include "runtime/exception.h"

namespace vellum {

namespace {

constexpr int kChannels[7] = {0, 1, 1, 1, 2, 2, 2};
constexpr int kBytesPerFrame[7] = {0, 1, 2, 2, 2, 4, 4};

}  // namespace

int SampleChannels(int format) { return format >= 0 && format <= 6 ? kChannels[format] : 0; }

int SampleBytesPerFrame(int format) { return format >= 0 && format <= 6 ? kBytesPerFrame[format] : 0; }

Ref<TAudioSample> TAudioSample::Create(int length, int hertz, int format) {
    int bpf = SampleBytesPerFrame(format);
    if (length < 0 || (bpf > 0 && length > INT_MAX / bpf))
        throw TRuntimeException(u"Invalid sample length " + ToString(length));
    auto sample = New<TAudioSample>();
    sample->capacity = length * bpf;
    sample->_owned = std::make_unique_for_overwrite<unsigned char[]>(static_cast<size_t>(sample->capacity));
    sample->samples = sample->_owned.get();
    sample->length = length;
    sample->hertz = hertz;
    sample->format = format;
    return sample;
}

Ref<TAudioSample> TAudioSample::CreateStatic(void* samples, int length, int hertz, int format) {
    auto sample = New<TAudioSample>();
    sample->samples = static_cast<unsigned char*>(samples);
    sample->length = length;
    sample->hertz = hertz;
    sample->format = format;
    sample->capacity = -1;
    return sample;
}

Ref<TAudioSample> TAudioSample::Copy() const {
    auto copy = Create(length, hertz, format);
    if (copy->capacity > 0) std::memcpy(copy->samples, samples, static_cast<size_t>(copy->capacity));
    return copy;
}

Ref<TAudioSample> TAudioSample::Convert(int toFormat) const {
    auto converted = Create(length, hertz, toFormat);
    ConvertSampleFrames(samples, format, converted->samples, toFormat, length);
    return converted;
}

}  // namespace vellum
