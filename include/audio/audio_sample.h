#pragma once
/// \file
/// TAudioSample: a block of uncompressed PCM frames in one of six layouts,
/// with its rate. Drivers convert samples to the layout they need.

#include <memory>

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Sample format codes.
constexpr int SF_MONO8 = 1;       ///< unsigned 8-bit, 128 = silence
constexpr int SF_MONO16LE = 2;    ///< signed 16-bit little-endian
constexpr int SF_MONO16BE = 3;    ///< signed 16-bit big-endian
constexpr int SF_STEREO8 = 4;     ///< unsigned 8-bit left, then right
constexpr int SF_STEREO16LE = 5;  ///< signed 16-bit little-endian left, then right
constexpr int SF_STEREO16BE = 6;  ///< signed 16-bit big-endian left, then right

/// Channels of a sample format; 0 for no format or an unknown code.
int SampleChannels(int format);
/// Bytes of one frame of a sample format; 0 for no format or an unknown code.
int SampleBytesPerFrame(int format);

/// A block of sound frames in one of the SF_ formats at a sample rate.
class TAudioSample : public TObject {
public:
    /// A sample of length frames of owned memory (contents undefined). A
    /// negative length, or one whose size does not fit an int, raises a
    /// runtime error.
    static Ref<TAudioSample> Create(int length, int hertz, int format);
    /// A sample over memory that stays its owner's (capacity -1).
    static Ref<TAudioSample> CreateStatic(void* samples, int length, int hertz, int format);

    /// A new sample with the same length, rate, format and bytes.
    Ref<TAudioSample> Copy() const;
    /// A new sample of the same length and rate converted to format.
    Ref<TAudioSample> Convert(int format) const;

    /// Bytes of frame data: length * bytes per frame.
    int ByteCount() const { return length * SampleBytesPerFrame(format); }

    unsigned char* samples = nullptr;  ///< the frames, one after the other
    int length = 0;                    ///< the number of frames
    int hertz = 0;                     ///< frames per second
    int format = 0;                    ///< one of the SF_ formats
    int capacity = 0;  ///< bytes owned, -1 when the memory is someone else's

private:
    std::unique_ptr<unsigned char[]> _owned;  ///< the memory samples points at, unless static
};

}  // namespace vellum
#pragma GCC visibility pop
