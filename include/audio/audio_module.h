#pragma once
/// \file
/// Start-up of the audio module.

#pragma GCC visibility push(default)
namespace vellum {

/// Starts the stream module, then registers the sample loaders (Ogg first,
/// so WAV is tried first), the silent driver "Null", the "DirectSound" and
/// "OpenAL" drivers, the software-mixer drivers whose devices open, and an
/// exit handler that shuts the current driver down. Later calls do nothing.
void InitAudioModule();

}  // namespace vellum
#pragma GCC visibility pop
