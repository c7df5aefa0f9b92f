#pragma once
// Decoders hand out a sound file's frames a piece at a time. The loaders
// read them whole into a sample; a streamed sound plays from them as it
// goes, so both give the same frames.

#include <memory>

#include "stream/stream.h"

namespace vellum {

class TAudioDecoder {
public:
    virtual ~TAudioDecoder() = default;

    // The sample format of the frames (SF_MONO8 ... SF_STEREO16LE).
    int Format() const { return _format; }
    int Hertz() const { return _hertz; }
    // Frames of one pass as the headers give them.
    long long Length() const { return _length; }

    // Decodes up to frames frames into out: the count, 0 once a pass is
    // over, -1 when the data turns out damaged. Stream errors propagate.
    virtual int Read(unsigned char* out, int frames) = 0;
    // Back to the first frame; false when the stream cannot go back.
    virtual bool Rewind() = 0;

protected:
    int _format = 0;
    int _hertz = 0;
    long long _length = 0;
};

// A PCM WAV decoder over stream from its current position; Null when the
// stream is not one. Stream errors propagate.
std::unique_ptr<TAudioDecoder> OpenWavDecoder(const Ref<TStream>& stream);
// An Ogg Vorbis decoder over the first logical bitstream of stream from
// its current position; Null when the stream is not one.
std::unique_ptr<TAudioDecoder> OpenOggDecoder(const Ref<TStream>& stream);
// A decoder from the first registered sample loader, newest first, that
// recognises the stream, as LoadAudioSample tries them; Null when none
// does or the stream cannot seek. A stream error counts as not recognised.
// A program's own loader loads the sample whole, which then plays as if
// it were decoded.
std::unique_ptr<TAudioDecoder> OpenAudioDecoder(const Ref<TStream>& stream);

}  // namespace vellum
