#pragma once
/// \file
/// Sample loaders turn a file into a TAudioSample. The registry is a chain
/// through _succ, newest first; LoadAudioSample offers a stream to each.

#include "audio/audio_sample.h"
#include "runtime/string.h"
#include "stream/stream.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Reads one kind of sound file (WAV, Ogg Vorbis) into a sample; the loaders
/// are asked newest first.
class TAudioSampleLoader : public TObject {
public:
    /// The sample in stream, or Null when this loader does not recognise it.
    /// Stream errors raised here count as this loader failing.
    virtual Ref<TAudioSample> LoadAudioSample(const Ref<TStream>& stream) = 0;

    /// The next older loader.
    Ref<TAudioSampleLoader> _succ;
};

/// Links loader at the head of the registry, so it is tried first. A loader
/// already registered stays where it is.
void RegisterAudioSampleLoader(Ref<TAudioSampleLoader> loader);
/// The newest registered loader, Null when there is none.
Ref<TAudioSampleLoader> FirstAudioSampleLoader();

/// Opens url and offers it to every loader, newest first, each from the
/// same start position. Null when the url cannot be opened or no loader
/// recognises it; a stream that cannot seek raises "Stream is not seekable".
///@{
Ref<TAudioSample> LoadAudioSample(const Ref<TObject>& url);
Ref<TAudioSample> LoadAudioSample(const String& url);
///@}

}  // namespace vellum
#pragma GCC visibility pop
