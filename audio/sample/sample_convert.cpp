#include "sample/sample_convert.h"

#include <cstring>

#include "audio/audio_sample.h"
#include "runtime/exception.h"

namespace vellum {

namespace {

// One frame as the two signed 16-bit values of the stereo big-endian layout.
struct Frame {
    int left;
    int right;
};

int Byte8ToValue(unsigned char b) { return 257 * b - 32768; }

int ValueToByte8(int v) { return (v + 32768) / 257; }

int Le16(const unsigned char* p) { return static_cast<short>(p[0] | p[1] << 8); }

int Be16(const unsigned char* p) { return static_cast<short>(p[0] << 8 | p[1]); }

void PutLe16(unsigned char* p, int v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void PutBe16(unsigned char* p, int v) {
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

Frame ReadFrame(const unsigned char* p, int format) {
    switch (format) {
        case SF_MONO8: {
            int v = Byte8ToValue(p[0]);
            return {v, v};
        }
        case SF_MONO16LE: return {Le16(p), Le16(p)};
        case SF_MONO16BE: return {Be16(p), Be16(p)};
        case SF_STEREO8: return {Byte8ToValue(p[0]), Byte8ToValue(p[1])};
        case SF_STEREO16LE: return {Le16(p), Le16(p + 2)};
        default: return {Be16(p), Be16(p + 2)};
    }
}

void WriteFrame(unsigned char* p, int format, Frame f) {
    int mono = (f.left + f.right) / 2;  // integer division truncates toward zero
    switch (format) {
        case SF_MONO8: p[0] = static_cast<unsigned char>(ValueToByte8(mono)); break;
        case SF_MONO16LE: PutLe16(p, mono); break;
        case SF_MONO16BE: PutBe16(p, mono); break;
        case SF_STEREO8:
            p[0] = static_cast<unsigned char>(ValueToByte8(f.left));
            p[1] = static_cast<unsigned char>(ValueToByte8(f.right));
            break;
        case SF_STEREO16LE:
            PutLe16(p, f.left);
            PutLe16(p + 2, f.right);
            break;
        default:
            PutBe16(p, f.left);
            PutBe16(p + 2, f.right);
            break;
    }
}

}  // namespace

void ConvertSampleFrames(const unsigned char* source, int sourceFormat, unsigned char* dest, int destFormat,
                         int count) {
    if (sourceFormat < 1 || sourceFormat > 6 || destFormat < 1 || destFormat > 6)
        throw TRuntimeException(u"Unimplemented sample format conversion");
    if (count <= 0) return;
    int sourceStep = SampleBytesPerFrame(sourceFormat);
    int destStep = SampleBytesPerFrame(destFormat);
    if (sourceFormat == destFormat) {
        std::memmove(dest, source, static_cast<size_t>(count) * static_cast<size_t>(sourceStep));
        return;
    }
    // Frame by frame through the stereo 16-bit values; the result equals
    // converting to the big-endian stereo layout and then to destFormat.
    for (int i = 0; i < count; ++i) {
        WriteFrame(dest, destFormat, ReadFrame(source, sourceFormat));
        source += sourceStep;
        dest += destStep;
    }
}

Ref<TAudioSample> LittleEndianSample(const Ref<TAudioSample>& sample) {
    if (sample->format == SF_MONO16BE) return sample->Convert(SF_MONO16LE);
    if (sample->format == SF_STEREO16BE) return sample->Convert(SF_STEREO16LE);
    return sample;
}

}  // namespace vellum
